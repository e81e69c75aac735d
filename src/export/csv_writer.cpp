#include "export/export_writer.h"

#include "common/safe_file.h"

#include <QRegularExpression>
#include <QStringEncoder>

#include <algorithm>

namespace morva {
namespace {

// Rows are handed to the file in blocks of about this size.
constexpr qsizetype kBlockBytes = 256 * 1024;

// A spreadsheet that opens the file evaluates a field that begins with one of these as a
// formula ("=HYPERLINK(…)" becomes a live link, "=1+2" becomes 3), unless it is a plain number.
bool ReadAsFormula(const QString &text)
{
    if (text.isEmpty() || !QStringView(u"=+-@\t\r").contains(text[0]))
        return false;
    static const QRegularExpression plainNumber(QStringLiteral("^[+-]?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)$"));
    return !plainNumber.match(text).hasMatch();
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
            appendText(c.name);
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
            else if (const auto *text = std::get_if<QString>(&row[i]))
                appendText(ReadAsFormula(*text) ? QString(QChar(u'\'') + *text) : *text);
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
    void appendText(const QString &text)
    {
        const bool quoted = std::any_of(text.begin(), text.end(), [](QChar c) {
            return c == u',' || c == u'"' || c == u'\n' || c == u'\r';
        });
        if (!quoted) {
            appendUtf8(text);
            return;
        }
        block_ += '"';
        appendUtf8(QString(text).replace(u'"', QStringLiteral("\"\"")));
        block_ += '"';
    }

    // Straight into the block, with no text of its own in between.
    void appendUtf8(QStringView text)
    {
        const qsizetype start = block_.size();
        block_.resize(start + utf8_.requiredSpace(text.size()));
        const char *end = utf8_.appendToBuffer(block_.data() + start, text);
        block_.resize(end - block_.constData());
    }

    bool flush()
    {
        const bool written = file_.write(block_);
        block_.clear();
        return written;
    }

    SafeFileWriter file_;
    QList<ExportColumn> columns_;
    QByteArray block_;
    QStringEncoder utf8_{QStringEncoder::Utf8};
};

} // namespace

std::unique_ptr<ExportWriter> NewCsvWriter(const QString &path, const QList<ExportColumn> &columns)
{
    return std::make_unique<CsvWriter>(path, columns);
}

} // namespace morva
