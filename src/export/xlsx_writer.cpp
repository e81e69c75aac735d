#include "export/export_writer.h"

#include "common/safe_file.h"
#include "export/export_scratch.h"
#include "export/xlsxwriter_calls.h"

#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <string>

namespace morva {
namespace {

// One sheet, read right to left, under a bold header row of the columns' Persian labels that
// stays in view and is printed on every page. Numbers are stored as numbers, texts as texts; a
// missing value is an empty cell. Rows go to the library's temporary files as they come, so
// memory stays the same however many there are; the finished workbook is then copied into place.
// Both are made in an owner-only scratch folder in the data folder: they hold the research file,
// names too when chosen.
class XlsxWriter final : public ExportWriter {
public:
    XlsxWriter(const QString &path, const QList<ExportColumn> &columns) : path_(path), columns_(columns)
    {
        QString unloaded;
        if (!(xlsx_ = XlsxWriterLibrary::Load(unloaded))) {
            error_ = unloaded;
            return;
        }
        if (!scratch_.isValid()) {
            error_ = scratch_.errorString();
            return;
        }
        // The library writes the workbook with the system's default permissions, and keeps those
        // of a file that is already there.
        QFile workbookFile(scratch_.filePath(QStringLiteral("export.xlsx")));
        if (!workbookFile.open(QIODevice::WriteOnly | QIODevice::NewOnly, kOwnerOnly)) {
            error_ = workbookFile.errorString();
            return;
        }
        workbookFile.close();
        const QByteArray scratchPath = QFile::encodeName(scratch_.path());
        const QByteArray workbookPath = QFile::encodeName(workbookFile.fileName());
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        options.tmpdir = const_cast<char *>(scratchPath.constData());
        workbook_ = xlsx_->workbook_new_opt(workbookPath.constData(), &options);
        if (!workbook_) {
            error_ = QStringLiteral("The workbook could not be started");
            return;
        }
        sheet_ = xlsx_->workbook_add_worksheet(workbook_, QStringLiteral("آزمودنی‌ها").toUtf8().constData());
        xlsx_->worksheet_right_to_left(sheet_);
        xlsx_->worksheet_freeze_panes(sheet_, 1, 0);
        // Printed across, every column on the width of one page, the header row on each page.
        xlsx_->worksheet_set_landscape(sheet_);
        xlsx_->worksheet_fit_to_pages(sheet_, 1, 0);
        check(xlsx_->worksheet_repeat_rows(sheet_, 0, 0));
        // Texts stand at the start of their cells, as Persian reads: a Latin code or group letter
        // would otherwise stand at the far side, beside the next column's text.
        lxw_format *bold = xlsx_->workbook_add_format(workbook_);
        xlsx_->format_set_bold(bold);
        xlsx_->format_set_align(bold, LXW_ALIGN_RIGHT);
        xlsx_->format_set_align(bold, LXW_ALIGN_VERTICAL_TOP);
        xlsx_->format_set_text_wrap(bold); // a long label takes a second line rather than the next cell
        xlsx_->worksheet_set_row(sheet_, 0, 45, nullptr);
        text_ = xlsx_->workbook_add_format(workbook_);
        xlsx_->format_set_align(text_, LXW_ALIGN_RIGHT);
        for (qsizetype c = 0; c < columns_.size(); ++c) {
            lxw_format *format = nullptr;
            if (columns_[c].kind == ExportColumn::Kind::Number && columns_[c].decimals > 0) {
                format = xlsx_->workbook_add_format(workbook_);
                xlsx_->format_set_num_format(format, "0.0");
            }
            formats_.push_back(format);
            xlsx_->worksheet_set_column(sheet_, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                 columns_[c].kind == ExportColumn::Kind::Number ? 10 : 16, nullptr);
            check(xlsx_->worksheet_write_string(sheet_, 0, static_cast<lxw_col_t>(c), columns_[c].label.toUtf8().constData(),
                                         bold));
        }
    }

    ~XlsxWriter() override
    {
        if (workbook_)
            xlsx_->lxw_workbook_free(workbook_); // given up: nothing is assembled, the scratch folder goes
    }

    bool write(const ExportRow &row) override
    {
        ++row_;
        for (qsizetype c = 0; c < std::ssize(row) && !error_; ++c) {
            const auto column = static_cast<lxw_col_t>(c);
            if (const auto *number = std::get_if<double>(&row[c])) {
                check(xlsx_->worksheet_write_number(sheet_, row_, column, Rounded(*number, columns_[c].decimals), formats_[c]));
            } else if (const auto *text = std::get_if<QByteArrayView>(&row[c])) {
                if (!text->isEmpty()) {
                    // The library takes a text that ends in a zero byte.
                    cell_.assign(text->data(), static_cast<size_t>(text->size()));
                    check(xlsx_->worksheet_write_string(sheet_, row_, column, cell_.c_str(), text_));
                }
            }
        }
        return !error_;
    }

    std::optional<QString> finish() override
    {
        if (error_)
            return error_;
        lxw_workbook *workbook = std::exchange(workbook_, nullptr);
        if (const lxw_error closed = xlsx_->workbook_close(workbook); closed != LXW_NO_ERROR)
            return libraryError(closed);
        QFile built(scratch_.filePath(QStringLiteral("export.xlsx")));
        if (!built.open(QIODevice::ReadOnly))
            return built.errorString();
        SafeFileWriter file(path_);
        while (!built.atEnd() && !file.failed()) {
            const QByteArray block = built.read(1024 * 1024);
            if (block.isEmpty() && built.error() != QFile::NoError)
                return built.errorString();
            file.write(block);
        }
        return file.commit();
    }

private:
    static double Rounded(double value, int decimals)
    {
        const double scale = std::pow(10.0, decimals);
        return decimals > 0 ? std::round(value * scale) / scale : value;
    }

    QString libraryError(lxw_error error) const { return QString::fromUtf8(xlsx_->lxw_strerror(error)); }

    void check(lxw_error result)
    {
        if (result != LXW_NO_ERROR && !error_)
            error_ = libraryError(result);
    }

    const XlsxWriterLibrary *xlsx_ = nullptr;
    QString path_;
    QList<ExportColumn> columns_;
    QTemporaryDir scratch_{ExportScratchTemplate()};
    lxw_workbook *workbook_ = nullptr;
    lxw_worksheet *sheet_ = nullptr;
    lxw_format *text_ = nullptr;
    std::vector<lxw_format *> formats_; // of the numbers, by column
    std::string cell_;                  // the text being written
    lxw_row_t row_ = 0;
    std::optional<QString> error_;
};

} // namespace

std::unique_ptr<ExportWriter> NewXlsxWriter(const QString &path, const QList<ExportColumn> &columns)
{
    return std::make_unique<XlsxWriter>(path, columns);
}

} // namespace morva
