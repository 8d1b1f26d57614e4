// The gallery's frame: a menu bar, a toolbar with pictures and tool tips, a
// status bar with the message lines of both, a background picture, and the
// child windows it starts on threads of their own. Run by the tour, it opens
// every window in turn on a timer and photographs it.
#include <cstdint>
#include <string>
#include <vector>

#include "gallery.h"
#include "runtime/sys/events.h"
#include "runtime/sys/interaction.h"
#include "runtime/ui/screenshot.h"
#include "runtime/ui/threads.h"
#include "runtime/ui/window.h"
#include "tour_moments.h"

namespace gallery {
namespace {

using namespace runtime;
using namespace runtime::ui;

constexpr size_t ListRows = 1'000'000;

namespace id {
constexpr int32_t FileMenu = -10;
constexpr int32_t OpenControls = -11;
constexpr int32_t OpenList = -12;
constexpr int32_t OpenSheet = -13;
constexpr int32_t Exit = -15;
constexpr int32_t ViewMenu = -20;
constexpr int32_t ChooseFont = -21;
constexpr int32_t ShowToolbar = -22;
constexpr int32_t ShowStatusBar = -23;
constexpr int32_t WindowMenu = -30;
constexpr int32_t FirstWindowItem = -31; // one item a child window, made when it first opens
constexpr int32_t HelpMenu = -40;
constexpr int32_t About = -41;
constexpr int32_t Toolbar = -50;
constexpr int32_t ToolControls = -51;
constexpr int32_t ToolList = -52;
constexpr int32_t ToolSheet = -53;
constexpr int32_t ToolAbout = -54;
constexpr int32_t ToolExit = -55;
constexpr int32_t ToolPicture = -56;
} // namespace id

enum class Child { Controls, List, Sheet };
constexpr int ChildCount = 3;
const char* const ChildNames[ChildCount] = {"Controls", "Customers", "Sheet"};

ControlDefinition menu(int32_t number, const char* text, const char* message) {
    return {.number = number, .kind = kind::Menu, .text = text, .message = message};
}

ControlDefinition item(int32_t number, int32_t menu, const char* text, const char* message = "") {
    return {.number = number, .kind = kind::MenuItem, .text = text, .parent = menu, .message = message};
}

ControlDefinition toolButton(int32_t number, int32_t x, const char* icon, const char* tip,
                             const char* message) {
    return {.number = number,
            .kind = kind::Button,
            .at = {x, 2, 16, 15},
            .parent = id::Toolbar,
            .icon = icon,
            .tooltip = tip,
            .message = message,
            .flags = attr::Skip};
}

WindowDefinition frameDefinition() {
    return {
        .caption = "Gallery",
        .font = {"Tahoma", 8, -1, 0},
        .icon = "pictures\\gallery.ico",
        .wallpaper = "pictures\\back.bmp",
        .wallpaperMode = WallpaperMode::Stretch,
        .at = {-1, -1, 640, 400},
        .flags = wattr::SystemMenu | wattr::MinimiseBox | wattr::MaximiseBox | wattr::Resizable |
                 wattr::MdiFrame | wattr::StatusBar,
        .controls = {
            menu(id::FileMenu, "&File", "Open the gallery's windows, or leave"),
            item(id::OpenControls, id::FileMenu, "&Controls...", "Every kind of control in one window"),
            item(id::OpenList, id::FileMenu, "&Customers...", "A list that pages through a million rows"),
            item(id::OpenSheet, id::FileMenu, "&Sheet...", "A sheet with two tabs"),
            item(-14, id::FileMenu, "-"),
            item(id::Exit, id::FileMenu, "E&xit", "Close the gallery"),
            menu(id::ViewMenu, "&View", "Change what the frame shows"),
            item(id::ChooseFont, id::ViewMenu, "&Font...", "Choose the font of the status bar's message"),
            item(id::ShowToolbar, id::ViewMenu, "&Toolbar", "Show or hide the toolbar"),
            item(id::ShowStatusBar, id::ViewMenu, "&Status Bar", "Show or hide the status bar"),
            menu(id::WindowMenu, "&Window", "The windows opened so far"),
            menu(id::HelpMenu, "&Help", "About the gallery"),
            item(id::About, id::HelpMenu, "&About Gallery...", "The program's name and version"),
            {.number = id::Toolbar, .kind = kind::Toolbar, .at = {0, 0, 0, 19}},
            toolButton(id::ToolControls, 3, "pictures\\controls.ico", "Controls", "Open the controls window"),
            toolButton(id::ToolList, 20, "pictures\\list.ico", "Customers",
                       "Open the list of a million customers"),
            toolButton(id::ToolSheet, 37, "pictures\\dialog.ico", "Sheet", "Open the sheet with two tabs"),
            toolButton(id::ToolAbout, 60, "pictures\\toolbox.ico", "About", "About the gallery"),
            toolButton(id::ToolExit, 77, "pictures\\exit.ico", "Exit\r\nCloses the gallery",
                       "Close the gallery"),
            {.number = id::ToolPicture,
             .kind = kind::Image,
             .at = {100, 3, 60, 13},
             .text = "pictures\\toolbar.jpg",
             .parent = id::Toolbar,
             .tooltip = "A picture on the toolbar"},
        }};
}

class Frame {
public:
    explicit Frame(Window& window) : window_(window), self_(currentThread()) {}

    void run() {
        window_.set(id::ShowToolbar, Prop::Checked, true);
        window_.set(id::ShowStatusBar, Prop::Checked, true);
        window_.setStatusZones({300, 120, -1});
        window_.setStatusText("Ready");
        showOpenCount();
        if (!tourFolder().empty()) {
            window_.setTimer(150);
        }
        while (window_.accept()) {
            switch (window_.event()) {
            case event::Accepted:
                command(window_.eventControl());
                break;
            case note::Closed:
                closed(window_.eventControl());
                break;
            case note::TourStep:
                tourMomentOver_ = true;
                break;
            case event::Timer:
                tourStep();
                break;
            default:
                break;
            }
        }
    }

private:
    void command(int32_t control) {
        switch (control) {
        case id::OpenControls:
        case id::ToolControls:
            open(Child::Controls);
            break;
        case id::OpenList:
        case id::ToolList:
            open(Child::List);
            break;
        case id::OpenSheet:
        case id::ToolSheet:
            open(Child::Sheet);
            break;
        case id::About:
        case id::ToolAbout:
            runAbout();
            break;
        case id::Exit:
        case id::ToolExit:
            window_.close();
            break;
        case id::ChooseFont:
            chooseFont();
            break;
        case id::ShowToolbar: {
            bool shown = !window_.get(id::ShowToolbar, Prop::Checked).flag();
            window_.set(id::Toolbar, Prop::Hidden, !shown);
            window_.set(id::ShowToolbar, Prop::Checked, shown);
            break;
        }
        case id::ShowStatusBar: {
            bool shown = !window_.statusBarShown();
            window_.setStatusBarShown(shown);
            window_.set(id::ShowStatusBar, Prop::Checked, shown);
            break;
        }
        default:
            if (control <= id::FirstWindowItem && control > id::FirstWindowItem - ChildCount) {
                open(static_cast<Child>(id::FirstWindowItem - control));
            }
            break;
        }
    }

    void open(Child child) {
        auto index = static_cast<size_t>(child);
        if (threads_[index] != 0 && threadExists(threads_[index])) {
            return; // already open; its own thread keeps it
        }
        int32_t frame = self_;
        int32_t started = 0;
        switch (child) {
        case Child::Controls:
            started = start([frame] { runControls(frame); });
            break;
        case Child::List:
            started = start([frame] { runList(frame, ListRows); });
            break;
        case Child::Sheet:
            started = start([frame] { runSheet(frame); });
            break;
        }
        if (started == 0) {
            runtime::message("The window could not be opened.", "Gallery", Icon::Exclamation);
            return;
        }
        threads_[index] = started;
        windowItem(child, true);
        showOpenCount();
    }

    // The Window menu keeps an item for every window opened so far, added at
    // the end of the menu the first time the window opens.
    void windowItem(Child child, bool open) {
        int32_t number = id::FirstWindowItem - static_cast<int32_t>(child);
        std::string text =
            "&" + std::to_string(static_cast<int>(child) + 1) + " " + ChildNames[static_cast<int>(child)];
        if (window_.control(number) == nullptr) {
            window_.create({.number = number,
                            .kind = kind::MenuItem,
                            .text = text,
                            .parent = id::WindowMenu,
                            .message = "Open this window again"});
            window_.unhideControl(number);
        }
        window_.setText(number, open ? text : text + " (closed)");
    }

    void closed(int32_t thread) {
        for (int index = 0; index < ChildCount; ++index) {
            if (threads_[index] == thread) {
                threads_[index] = 0;
                windowItem(static_cast<Child>(index), false);
            }
        }
        showOpenCount();
    }

    void showOpenCount() {
        int open = 0;
        for (int32_t thread : threads_) {
            open += thread != 0 ? 1 : 0;
        }
        window_.setStatusText(std::to_string(open) + (open == 1 ? " window open" : " windows open"), 2);
        window_.setStatusText("Thread " + std::to_string(self_), 3);
    }

    void chooseFont() {
        FontSpec font{"Tahoma", 8, 0, 400};
        if (interaction().chooseFont("Status Bar Font", font)) {
            window_.setStatusText("Font: " + font.typeface + " " + std::to_string(font.size) + " point");
        }
    }

    void closeChild(Child child) {
        int32_t thread = threads_[static_cast<size_t>(child)];
        if (thread != 0) {
            post(event::CloseWindow, 0, thread);
        }
    }

    // One step of the tour a timer tick: open a window, photograph it, move
    // on. Children photograph themselves where only they know the moment, and
    // so do the helpers that make a moment as a person would; the tour waits
    // until such a moment is over.
    void tourStep() {
        if (!tourMomentOver_) {
            return;
        }
        int32_t list = threads_[static_cast<size_t>(Child::List)];
        int32_t sheet = threads_[static_cast<size_t>(Child::Sheet)];
        switch (tourStep_++) {
        case 0:
            tourShot("frame");
            tourMomentOver_ = !tourToolTip(toolHandle(id::ToolExit), self_, "frame-tool-tip");
            break;
        case 1:
            tourMomentOver_ = !tourMenu(window_.handle(), self_, "frame-menu");
            break;
        case 2:
            // Without the helper nobody would close the dialog.
            if (tourDialog("Status Bar Font", self_, "font-dialog")) {
                tourMomentOver_ = false;
                chooseFont();
            }
            break;
        case 3:
            open(Child::Controls);
            break;
        case 4:
            tourShot("controls");
            closeChild(Child::Controls);
            open(Child::List);
            break;
        case 5:
            tourShot("list");
            post(event::PageDown, CustomerList, list);
            post(event::PageDown, CustomerList, list);
            break;
        case 6:
            tourShot("list-paged");
            post(note::OpenForm, 0, list);
            break;
        case 7:
            tourShot("list-form");
            post(event::CloseWindow, 0, list); // the form, the list thread's current window
            break;
        case 8:
            closeChild(Child::List);
            open(Child::Sheet);
            break;
        case 9:
            tourShot("sheet");
            post(note::TourStep, 0, sheet);
            break;
        case 10:
            tourShot("sheet-tab2");
            closeChild(Child::Sheet);
            break;
        case 11:
            window_.setTimer(0);
            runAbout();
            window_.close();
            break;
        default:
            break;
        }
    }

    HWND toolHandle(int32_t tool) {
        return reinterpret_cast<HWND>(static_cast<intptr_t>(window_.get(tool, Prop::Handle).number()));
    }

    Window& window_;
    int32_t self_;
    int32_t threads_[ChildCount] = {};
    int tourStep_ = 0;
    bool tourMomentOver_ = true;
};

} // namespace

void runFrame() {
    Window window(frameDefinition());
    Frame(window).run();
}

} // namespace gallery
