#include "runtime/ui/threads.h"

#include <windows.h>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <utility>

#include "runtime/ui/messages.h"
#include "runtime/ui/thread_reuse.h"

namespace runtime::ui {
namespace {

// One runtime thread. The queues are filled by any thread and emptied by the
// owner; the sink is a message-only window of the owner whose only purpose is
// to wake the owner's message loop (and to run posted work inside modal loops,
// which dispatch window messages but drop thread messages).
struct ThreadRecord {
    int32_t number = 0;
    std::mutex mutex;
    std::deque<PostedEvent> events;
    std::deque<std::function<void()>> work;
    HWND sink = nullptr;
    DWORD osThread = 0;
    // Threads the runtime did not start: the OS thread, to see when it has ended.
    HANDLE ending = nullptr;
    std::function<void()> procedure; // started threads only, taken when they run
    size_t stack = 0;                // started threads only: the stack their OS thread reserved

    ThreadRecord() = default;
    ThreadRecord(const ThreadRecord&) = delete;
    ThreadRecord& operator=(const ThreadRecord&) = delete;
    ~ThreadRecord() {
        if (ending != nullptr) {
            CloseHandle(ending);
        }
    }
    bool ended() const { return ending != nullptr && WaitForSingleObject(ending, 0) == WAIT_OBJECT_0; }
};

class Registry {
public:
    std::shared_ptr<ThreadRecord> add() {
        auto record = std::make_shared<ThreadRecord>();
        std::lock_guard lock(mutex_);
        record->number = next_++;
        threads_[record->number] = record;
        return record;
    }

    // Gives the number back when nothing was numbered after it, so that a
    // failed start leaves the numbering dense.
    void cancel(int32_t number) {
        std::lock_guard lock(mutex_);
        threads_.erase(number);
        if (next_ == number + 1) {
            next_ = number;
        }
        ended_.notify_all();
    }

    void remove(int32_t number) {
        std::lock_guard lock(mutex_);
        threads_.erase(number);
        ended_.notify_all();
    }

    std::shared_ptr<ThreadRecord> find(int32_t number) {
        std::lock_guard lock(mutex_);
        auto found = threads_.find(number);
        if (found == threads_.end()) {
            return nullptr;
        }
        if (found->second->ended()) {
            threads_.erase(found);
            return nullptr;
        }
        return found->second;
    }

    bool waitUntilGone(int32_t number, std::chrono::milliseconds timeout) {
        auto end = std::chrono::steady_clock::now() + timeout;
        std::unique_lock lock(mutex_);
        for (;;) {
            auto found = threads_.find(number);
            if (found == threads_.end() || found->second->ended()) {
                return true;
            }
            if (std::chrono::steady_clock::now() >= end) {
                return false;
            }
            // Threads the runtime did not start end without telling: look again now and then.
            ended_.wait_for(lock, std::chrono::milliseconds(20));
        }
    }

private:
    std::mutex mutex_;
    std::condition_variable ended_;
    std::map<int32_t, std::shared_ptr<ThreadRecord>> threads_;
    int32_t next_ = 1;
};

// Never destroyed: threads leave it while the process ends, after static
// objects may already be gone.
Registry& registry() {
    alignas(Registry) static unsigned char storage[sizeof(Registry)];
    static Registry* instance = new (storage) Registry();
    return *instance;
}

// The calling thread's record, owned by the registry. A plain pointer: the
// MinGW runtime runs thread_local destructors after freeing their storage.
thread_local ThreadRecord* self = nullptr;

void runWork(ThreadRecord& record) {
    for (;;) {
        std::function<void()> item;
        {
            std::lock_guard lock(record.mutex);
            if (record.work.empty()) {
                return;
            }
            item = std::move(record.work.front());
            record.work.pop_front();
        }
        item();
    }
}

LRESULT CALLBACK sinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WorkMessage && self) {
        runWork(*self);
        return 0;
    }
    if (message == WakeMessage) {
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

const char* sinkClass() {
    static const char* name = [] {
        WNDCLASSA type{};
        type.lpfnWndProc = sinkProc;
        type.hInstance = GetModuleHandleA(nullptr);
        type.lpszClassName = "RvThreadSink";
        RegisterClassA(&type);
        return "RvThreadSink";
    }();
    return name;
}

// Makes the calling thread the owner of `record`.
void join(const std::shared_ptr<ThreadRecord>& record) {
    self = record.get();
    HWND sink = CreateWindowExA(0, sinkClass(), "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    std::lock_guard lock(record->mutex);
    record->sink = sink;
    record->osThread = GetCurrentThreadId();
}

void leave() {
    if (!self) {
        return;
    }
    HWND sink = nullptr;
    {
        std::lock_guard lock(self->mutex);
        sink = std::exchange(self->sink, nullptr);
    }
    if (sink != nullptr) {
        DestroyWindow(sink);
    }
    registry().remove(self->number);
    self = nullptr;
}

void wake(ThreadRecord& record, UINT message) {
    HWND sink = nullptr;
    DWORD osThread = 0;
    {
        std::lock_guard lock(record.mutex);
        sink = record.sink;
        osThread = record.osThread;
    }
    if (sink != nullptr) {
        PostMessageA(sink, message, 0, 0);
    } else if (osThread != 0) {
        PostThreadMessageA(osThread, message, 0, 0);
    }
    // A thread without sink yet has not entered its loop; it reads the queue first.
}

// Runs the runtime thread `number` on the calling OS thread; true when the
// OS thread may go on to run another.
bool runThread(int32_t number) {
    std::shared_ptr<ThreadRecord> record = registry().find(number);
    if (!record) {
        return false;
    }
    join(record);
    std::function<void()> procedure;
    size_t stack = 0;
    {
        std::lock_guard lock(record->mutex);
        procedure = std::move(record->procedure);
        stack = record->stack;
    }
    record.reset();
    if (procedure) {
        procedure();
    }
    leave();
    return stack == MinimumStack && fitForAnotherThread();
}

DWORD WINAPI threadMain(LPVOID parameter) {
    auto number = static_cast<int32_t>(reinterpret_cast<intptr_t>(parameter));
    while (number != 0 && runThread(number)) {
        number = waitForNextThread();
    }
    return 0;
}

} // namespace

int32_t start(std::function<void()> procedure, size_t stackSize) {
    std::shared_ptr<ThreadRecord> record = registry().add();
    int32_t number = record->number;
    record->procedure = std::move(procedure);
    record->stack = std::max(stackSize, MinimumStack);
    if (record->stack == MinimumStack && handToWaitingThread(number)) {
        return number;
    }
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, record->stack, threadMain,
                                 reinterpret_cast<LPVOID>(static_cast<intptr_t>(number)),
                                 STACK_SIZE_PARAM_IS_A_RESERVATION, &id);
    if (thread == nullptr) {
        registry().cancel(number);
        return 0;
    }
    CloseHandle(thread);
    return number;
}

int32_t currentThread() {
    if (!self) {
        std::shared_ptr<ThreadRecord> record = registry().add();
        // A thread the runtime did not start (the main thread, a thread of the
        // standard library) leaves when its OS thread has ended.
        record->ending = OpenThread(SYNCHRONIZE, FALSE, GetCurrentThreadId());
        join(record);
    }
    return self->number;
}

bool threadExists(int32_t thread) {
    return thread > 0 && registry().find(thread) != nullptr;
}

bool waitForThread(int32_t thread, std::chrono::milliseconds timeout) {
    return registry().waitUntilGone(thread, timeout);
}

bool post(int32_t event, int32_t control, int32_t thread) {
    std::shared_ptr<ThreadRecord> record = registry().find(thread == 0 ? currentThread() : thread);
    if (!record) {
        return false;
    }
    {
        std::lock_guard lock(record->mutex);
        record->events.push_back({event, control});
    }
    wake(*record, WakeMessage);
    return true;
}

bool postWork(int32_t thread, std::function<void()> work) {
    std::shared_ptr<ThreadRecord> record = registry().find(thread == 0 ? currentThread() : thread);
    if (!record) {
        return false;
    }
    {
        std::lock_guard lock(record->mutex);
        record->work.push_back(std::move(work));
    }
    wake(*record, WorkMessage);
    return true;
}

std::optional<PostedEvent> takePosted() {
    currentThread();
    std::lock_guard lock(self->mutex);
    if (self->events.empty()) {
        return std::nullopt;
    }
    PostedEvent event = self->events.front();
    self->events.pop_front();
    return event;
}

bool hasPosted() {
    currentThread();
    std::lock_guard lock(self->mutex);
    return !self->events.empty();
}

} // namespace runtime::ui
