#include "help/store/tip_file_layout.h"

#include <cstddef>

#include "help/store/tip_record.h"

namespace help {
namespace {

using runtime::files::Declaration;
using runtime::files::FieldType;
using runtime::files::KeyDecl;

// Every key allows duplicates, ignores case and leaves out rows whose key
// fields are all blank; the first three fields are the names in every layout.
std::vector<KeyDecl> tipKeys(const std::string& p) {
    auto key = [](std::string name, std::vector<runtime::files::KeyPart> parts) {
        return KeyDecl{.name = std::move(name),
                       .parts = std::move(parts),
                       .duplicates = true,
                       .noCase = true,
                       .optional = true};
    };
    return {
        key(p + ":PROCEDURENAMEKEY", {{0}, {1}}),
        key(p + ":CONTROLTYPEKEY", {{2}}),
        key(p + ":CONTROLNAMEKEY", {{1}, {0}}),
    };
}

uint32_t at(size_t offset) {
    return static_cast<uint32_t>(offset);
}

} // namespace

Declaration tipDeclaration(std::string_view prefix, std::function<std::string()> name) {
    const std::string p(prefix);
    Declaration d;
    d.nameSource = std::move(name);
    d.recordSize = sizeof(TipRecord);
    d.fields = {
        {p + ":PROCEDURENAME", FieldType::String, at(offsetof(TipRecord, PROCEDURENAME)), 50},
        {p + ":CONTROLNAME", FieldType::String, at(offsetof(TipRecord, CONTROLNAME)), 50},
        {p + ":CONTROLTYPE", FieldType::String, at(offsetof(TipRecord, CONTROLTYPE)), 20},
        {p + ":LASTEDITDATE", FieldType::Long, at(offsetof(TipRecord, LASTEDITDATE)), 4},
        {p + ":READONLY", FieldType::Byte, at(offsetof(TipRecord, READONLY)), 1},
        {p + ":ARCHIVE", FieldType::Byte, at(offsetof(TipRecord, ARCHIVE)), 1},
        {p + ":TIPSTYLE", FieldType::Byte, at(offsetof(TipRecord, TIPSTYLE)), 1},
    };
    d.memos = {{p + ":HELPTIP", HelpTipSize}, {p + ":SETTINGS", SettingsSize}, {p + ":OTHER", OtherSize}};
    d.keys = tipKeys(p);
    return d;
}

Declaration tipDeclaration(std::string_view prefix, const std::string& fileName) {
    return tipDeclaration(prefix, [fileName] { return fileName; });
}

Declaration oldTipDeclaration(std::function<std::string()> name) {
    Declaration d;
    d.nameSource = std::move(name);
    d.recordSize = sizeof(OldTipRecord);
    d.fields = {
        {"RVG:PROCEDURENAME", FieldType::String, at(offsetof(OldTipRecord, PROCEDURENAME)), 50},
        {"RVG:CONTROLNAME", FieldType::String, at(offsetof(OldTipRecord, CONTROLNAME)), 50},
        {"RVG:CONTROLTYPE", FieldType::String, at(offsetof(OldTipRecord, CONTROLTYPE)), 20},
        {"RVG:HELPTIP", FieldType::String, at(offsetof(OldTipRecord, HELPTIP)), 900},
        {"RVG:SETTINGS", FieldType::String, at(offsetof(OldTipRecord, SETTINGS)), 1500},
    };
    d.keys = tipKeys("RVG");
    return d;
}

Declaration oldTipDeclaration(const std::string& fileName) {
    return oldTipDeclaration([fileName] { return fileName; });
}

} // namespace help
