// Any bytes as a tip: the first two bytes are the wrap width (a signed 16-bit
// number, so also zero, narrow and negative boxes), the rest, at most 10,000
// characters, is laid out, parsed as markup and read as a settings text. Besides
// not crashing or hanging, the results must keep their own rules.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "help/markup/markup_parser.h"
#include "help/markup/settings_list.h"
#include "help/markup/text_box_layout.h"
#include "runtime/sys/interaction.h"

namespace {

// Boxes are answered at once and nothing is started.
class Unattended : public runtime::Interaction {
public:
    int32_t message(const runtime::MessageRequest& request) override {
        return runtime::firstButton(request.buttons);
    }
    void stop(std::string_view) override {}
    void halt(int32_t, std::string_view) override { std::abort(); }
    int32_t popupMenu(std::string_view, std::optional<runtime::Point>) override { return 0; }
    bool chooseFont(std::string_view, runtime::FontSpec&) override { return false; }
    int32_t run(std::string_view, int32_t& systemError) override {
        systemError = 2;
        return -4;
    }
    runtime::ShellResult shellExecute(void*, std::string_view, std::string_view, std::string_view,
                                      std::string_view, int32_t) override {
        return 2;
    }
    void windowsHelp(std::string_view, std::string_view) override {}
    void beep() override {}
    void assertionFailed(std::string_view, std::string_view, int32_t) override { std::abort(); }
};

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void checkLayout(std::string_view text, int32_t width) {
    std::vector<help::TextBoxLine> lines = help::layOutText(text, width);
    require(!lines.empty());
    size_t next = 0;
    for (const help::TextBoxLine& line : lines) {
        require(line.start >= next && line.start + line.length <= text.size());
        next = line.start + line.length;
    }
}

void checkControlList(const help::ControlList& list, int32_t lineCount) {
    for (size_t i = 0; i < list.size(); ++i) {
        const help::ControlEntry& entry = list[i];
        require(entry.CONTROLNUMBER == static_cast<int32_t>(i) + 1);
        require(entry.LINE >= 1 && entry.LINE <= lineCount);
        require(entry.TEXT.size() <= help::ControlEntry::MaxText);
        if (entry.TYPE == "HTTP" || entry.TYPE == "LNK") {
            require(i + 1 < list.size() && list[i + 1].TYPE == "REGION" && list[i + 1].TEXT == entry.TEXT);
            require(entry.TEXT.size() <= 80);
        }
    }
}

// Writing what was read and reading it again gives the same rows (or the
// first of them, when not all fit).
void checkSettings(std::string_view stored) {
    help::SettingsList loaded;
    help::loadSettings(stored, loaded);
    help::SettingsList again;
    help::loadSettings(help::storedSettings(loaded), again);
    require(again.size() <= loaded.size());
    for (size_t i = 0; i < again.size(); ++i) {
        require(again[i].CONTROLNAME == loaded[i].CONTROLNAME && again[i].PROP == loaded[i].PROP &&
                again[i].SETTING == loaded[i].SETTING);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Unattended unattended;
    runtime::ScopedInteraction scope(unattended);
    if (size < 2) {
        return 0;
    }
    const auto width = static_cast<int16_t>(static_cast<uint16_t>(data[0] | (data[1] << 8)));
    std::string text(reinterpret_cast<const char*>(data) + 2, std::min<size_t>(size - 2, 10000));

    checkLayout(text, width);
    help::EmulatedTextBox box(text, width);
    help::ControlList list;
    help::parseMarkup(box, list);
    checkControlList(list, box.lineCount());
    checkSettings(text);
    return 0;
}
