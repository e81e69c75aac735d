#include "export/export_writer.h"

#include "common/safe_file.h"

#include <QRegularExpression>

#include <algorithm>

namespace morva {
namespace {

// Rows are handed to the file in blocks of about this size.
constexpr qsizetype kBlockBytes = 256 * 1024;

// A spreadsheet that opens the file evaluates a field that begins with one of these as a
// formula ("=HYPERLINK(…)" becomes a live link, "=1+2" becomes 3), unless it is a plain number.
bool ReadAsFormula(QByteArrayView utf8)
{
    if (utf8.isEmpty() || !QByteArrayView("=+-@\t\r").contains(utf8.front()))
        return false;
    static const QRegularExpression plainNumber(QStringLiteral("^[+-]?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)$"));
    return !plainNumber.match(QString::fromUtf8(utf8)).hasMatch();
}

// UTF-8 with a byte-order mark, so that spreadsheet programs read Persian; fields separated by
// commas and quoted only where they must be, lines ending in CR LF. A text that a spreadsheet
// would take for a formula is written after an apostrophe, which keeps it a text there.
class CsvWriter final : public ExportWriter {
public:
    CsvWriter(const QString &path, const QList<ExportColumn> &columns) : file_(path), columns_(columns)
    {
        block_.reserve(kBlockBytes + 4096);
        block_ += "\xEF\xBB\xBF";
        bool first = true;
        for (const ExportColumn &c : columns_) {
            if (!first)
                block_ += ',';
            first = false;
            appendText(c.name.toUtf8());
        }
        block_ += "\r\n";
    }

    bool write(const ExportRow &row) override
    {
        for (qsizetype i = 0; i < std::ssize(row); ++i) {
            if (i > 0)
                block_ += ',';
            if (const auto *number = std::get_if<double>(&row[i]))
                AppendExportNumber(block_, *number, columns_[i].decimals);
            else if (const auto *text = std::get_if<QByteArrayView>(&row[i]))
                appendText(*text);
        }
        block_ += "\r\n";
        return block_.size() < kBlockBytes || flush();
    }

    std::optional<QString> finish() override
    {
        flush();
        return file_.commit();
    }

private:
    // The text's bytes as they are, but for the apostrophe before a formula and the quoting.
    void appendText(QByteArrayView utf8)
    {
        const bool quoted = std::any_of(utf8.begin(), utf8.end(), [](char c) {
            return c == ',' || c == '"' || c == '\n' || c == '\r';
        });
        if (quoted)
            block_ += '"';
        if (ReadAsFormula(utf8))
            block_ += '\'';
        if (!quoted) {
            block_.append(utf8);
            return;
        }
        for (qsizetype quote; (quote = utf8.indexOf('"')) >= 0; utf8 = utf8.sliced(quote + 1)) {
            block_.append(utf8.first(quote + 1));
            block_ += '"';
        }
        block_.append(utf8);
        block_ += '"';
    }

    bool flush()
    {
        const bool written = file_.write(block_);
        block_.resize(0); // keeps its room for the next block
        return written;
    }

    SafeFileWriter file_;
    QList<ExportColumn> columns_;
    QByteArray block_;
};

} // namespace

std::unique_ptr<ExportWriter> NewCsvWriter(const QString &path, const QList<ExportColumn> &columns)
{
    return std::make_unique<CsvWriter>(path, columns);
}

} // namespace morva
