#include "customer_file.h"

namespace app {

using namespace runtime::files;

Declaration customerDeclaration(const std::string& path) {
    Declaration d;
    d.fileName = path;
    d.recordSize = sizeof(CustomerRecord);
    d.fields = {
        {"CUS:CUSTNO", FieldType::Long, 0, 4},           {"CUS:NAME", FieldType::String, 4, 30},
        {"CUS:ADDRESS", FieldType::String, 34, 30},      {"CUS:CITY", FieldType::String, 64, 20},
        {"CUS:STATE", FieldType::String, 84, 2},         {"CUS:ZIP", FieldType::Decimal, 86, 3, 5, 0},
        {"CUS:PHONE", FieldType::Decimal, 89, 6, 11, 0}, {"CUS:CONTACT", FieldType::String, 95, 20},
    };
    d.keys = {
        {.name = "CUS:BYNUMBER", .parts = {{0}}, .noCase = true, .optional = true, .primary = true},
        {.name = "CUS:BYNAME", .parts = {{1}}, .duplicates = true, .noCase = true, .optional = true},
    };
    return d;
}

} // namespace app
