#include "tips.h"

namespace files_test {

using namespace runtime::files;

namespace {
std::vector<KeyDecl> tipKeys(const std::string& p) {
    return {
        {.name = p + ":PROCEDURENAMEKEY",
         .parts = {{0}, {1}},
         .duplicates = true,
         .noCase = true,
         .optional = true},
        {.name = p + ":CONTROLTYPEKEY", .parts = {{2}}, .duplicates = true, .noCase = true, .optional = true},
        {.name = p + ":CONTROLNAMEKEY",
         .parts = {{1}, {0}},
         .duplicates = true,
         .noCase = true,
         .optional = true},
    };
}
} // namespace

Declaration tipDeclaration(const std::string& path, const std::string& p) {
    Declaration d;
    d.fileName = path;
    d.recordSize = sizeof(TipRecord);
    d.fields = {
        {p + ":PROCEDURENAME", FieldType::String, 0, 50}, {p + ":CONTROLNAME", FieldType::String, 50, 50},
        {p + ":CONTROLTYPE", FieldType::String, 100, 20}, {p + ":LASTEDITDATE", FieldType::Long, 120, 4},
        {p + ":READONLY", FieldType::Byte, 124, 1},       {p + ":ARCHIVE", FieldType::Byte, 125, 1},
        {p + ":TIPSTYLE", FieldType::Byte, 126, 1},
    };
    d.memos = {{p + ":HELPTIP", 10000}, {p + ":SETTINGS", 10000}, {p + ":OTHER", 1000}};
    d.keys = tipKeys(p);
    return d;
}

Declaration oldTipDeclaration(const std::string& path) {
    Declaration d;
    d.fileName = path;
    d.recordSize = sizeof(OldTipRecord);
    d.fields = {
        {"RVG:PROCEDURENAME", FieldType::String, 0, 50}, {"RVG:CONTROLNAME", FieldType::String, 50, 50},
        {"RVG:CONTROLTYPE", FieldType::String, 100, 20}, {"RVG:HELPTIP", FieldType::String, 120, 900},
        {"RVG:SETTINGS", FieldType::String, 1020, 1500},
    };
    d.keys = tipKeys("RVG");
    return d;
}

} // namespace files_test
