#pragma once

#include <QString>

#include <xlsxwriter.h>

namespace morva {

// The functions of libxlsxwriter that the Excel export calls, loaded when the first workbook is
// written. The program does not link the library: with zlib, minizip and OpenSSL that it brings
// it would cost every start 2 ms, whether the clinic exports or not.
#define MORVA_XLSXWRITER_FUNCTIONS(X)                                                                                 \
    X(workbook_new_opt)                                                                                                \
    X(workbook_add_worksheet)                                                                                          \
    X(workbook_add_format)                                                                                             \
    X(workbook_close)                                                                                                  \
    X(lxw_workbook_free)                                                                                               \
    X(lxw_strerror)                                                                                                    \
    X(worksheet_right_to_left)                                                                                         \
    X(worksheet_freeze_panes)                                                                                          \
    X(worksheet_set_landscape)                                                                                         \
    X(worksheet_fit_to_pages)                                                                                          \
    X(worksheet_repeat_rows)                                                                                           \
    X(worksheet_set_row)                                                                                               \
    X(worksheet_set_column)                                                                                            \
    X(worksheet_write_string)                                                                                          \
    X(worksheet_write_number)                                                                                          \
    X(format_set_bold)                                                                                                 \
    X(format_set_align)                                                                                                \
    X(format_set_text_wrap)                                                                                            \
    X(format_set_num_format)

struct XlsxWriterLibrary {
#define MORVA_XLSXWRITER_FUNCTION(name) decltype(&::name) name;
    MORVA_XLSXWRITER_FUNCTIONS(MORVA_XLSXWRITER_FUNCTION)
#undef MORVA_XLSXWRITER_FUNCTION

    // The library's functions, loaded on first use; nothing when it cannot be loaded, and then
    // why in error.
    static const XlsxWriterLibrary *Load(QString &error);
};

} // namespace morva
