#include "export/xlsxwriter_calls.h"

#include "common/library_functions.h"

#include <variant>

namespace morva {
namespace {

std::variant<XlsxWriterLibrary, QString> Find()
{
    // Kept for the rest of the run: workbooks keep pointers into the library.
    void *library = dlopen("libxlsxwriter.so.4", RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return QString::fromLocal8Bit(dlerror());
    XlsxWriterLibrary xlsx{};
    bool missing = false;
#define MORVA_XLSXWRITER_FUNCTION(name) TakeFunction(library, #name, xlsx.name, missing);
    MORVA_XLSXWRITER_FUNCTIONS(MORVA_XLSXWRITER_FUNCTION)
#undef MORVA_XLSXWRITER_FUNCTION
    if (missing)
        return QStringLiteral("libxlsxwriter.so.4 lacks a function the export needs");
    return xlsx;
}

} // namespace

const XlsxWriterLibrary *XlsxWriterLibrary::Load(QString &error)
{
    static const std::variant<XlsxWriterLibrary, QString> found = Find();
    if (const auto *library = std::get_if<XlsxWriterLibrary>(&found))
        return library;
    error = std::get<QString>(found);
    return nullptr;
}

} // namespace morva
