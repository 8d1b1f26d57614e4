// Pages a list window through 1,000,000 generated rows and through 1,000 with
// the same moves (page down and up, top, bottom, thumb drags), drawing the
// list after every move, and prints the time a move takes for each and their
// ratio. A list that holds only its page costs the same whatever the source's
// size; a ratio near 1 shows it.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "generated_rows.h"
#include "list_pager.h"
#include "runtime/sys/events.h"
#include "runtime/ui/threads.h"
#include "runtime/ui/window.h"

namespace {

using namespace runtime;
using namespace runtime::ui;
using gallery::Customer;

constexpr int32_t List = 1;

struct Move {
    int32_t event;
    int32_t thumb; // for thumb drags
};

// The same moves for every size: down and up a stretch of pages, both ends,
// and drags across the thumb's range.
std::vector<Move> moves() {
    std::vector<Move> all;
    for (int i = 0; i < 20; ++i) {
        all.push_back({event::PageDown, 0});
    }
    for (int i = 0; i < 20; ++i) {
        all.push_back({event::PageUp, 0});
    }
    all.push_back({event::ScrollBottom, 0});
    all.push_back({event::ScrollTop, 0});
    for (int thumb = 0; thumb <= 100; thumb += 10) {
        all.push_back({event::ScrollDrag, thumb});
    }
    return all;
}

// Nanoseconds a move takes, paging `count` rows for `rounds` rounds of moves.
double timeMoves(size_t count, int rounds) {
    gallery::GeneratedRows source(count);
    Queue<Customer> rows;
    WindowDefinition definition{
        .caption = "Paging",
        .font = {"Tahoma", 8, -1, 0},
        .at = {10, 10, 300, 160},
        .controls = {
            {.number = List,
             .kind = kind::List,
             .at = {4, 4, 292, 152},
             .columns = {{.header = "Number",
                          .width = 40,
                          .align = Align::Right,
                          .picture = "@n_7",
                          .field = runtime::ui::fieldOf(&Customer::number)},
                         {.header = "Name", .width = 90, .field = runtime::ui::fieldOf(&Customer::name)},
                         {.header = "City", .width = 60, .field = runtime::ui::fieldOf(&Customer::city)},
                         {.header = "Balance",
                          .width = 50,
                          .align = Align::Right,
                          .picture = "@n-12.2",
                          .field = runtime::ui::fieldOf(&Customer::balance)}},
             .rows = &rows,
             .flags = attr::Paged}}};
    Window window(definition);
    gallery::ListPager pager(window, List, rows, source);
    pager.reset();
    auto list = reinterpret_cast<HWND>(static_cast<intptr_t>(window.get(List, Prop::Handle).number()));
    std::vector<Move> plan = moves();

    size_t done = 0;
    auto began = std::chrono::steady_clock::now();
    for (int round = 0; round < rounds; ++round) {
        for (const Move& move : plan) {
            if (move.event == event::ScrollDrag) {
                window.set(List, Prop::Thumb, move.thumb);
            }
            post(move.event, List);
            // The window's own events (opening, focus) come along the first time.
            do {
                if (!window.accept()) {
                    std::fprintf(stderr, "ui_bench: the window closed\n");
                    std::exit(1);
                }
            } while (!pager.take(window.event()));
            UpdateWindow(list);
            ++done;
        }
    }
    auto spent = std::chrono::steady_clock::now() - began;
    return static_cast<double>(std::chrono::duration_cast<std::chrono::nanoseconds>(spent).count()) /
           static_cast<double>(done);
}

} // namespace

int main(int argc, char** argv) {
    int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    // A round first so both sizes start warm (fonts, classes, caches); then
    // the sizes take turns, so that a busy machine slows both alike.
    timeMoves(1000, 1);
    double large = 0;
    double small = 0;
    for (int round = 0; round < rounds; ++round) {
        large += timeMoves(1'000'000, 1) / rounds;
        small += timeMoves(1'000, 1) / rounds;
    }
    std::printf("paging 1,000,000 rows: %8.1f us a move\n", large / 1000.0);
    std::printf("paging     1,000 rows: %8.1f us a move\n", small / 1000.0);
    std::printf("ratio (1,000,000 / 1,000): %.2f\n", large / small);
    return 0;
}
