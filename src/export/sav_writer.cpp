#include "export/export_writer.h"

#include "common/safe_file.h"

#include <readstat.h>

#include <algorithm>
#include <string>

namespace morva {
namespace {

// An SPSS data file: ASCII variable names with Persian variable labels, value labels for the
// listed choices, the love types and the anchors of the answer scale, system-missing values where
// there is no number, UTF-8 declared. The file's header holds the row count and every text's
// width, which the outline gives before the first row.
class SavWriter final : public ExportWriter {
public:
    SavWriter(const QString &path, const QList<ExportColumn> &columns, const ExportOutline &outline)
        : file_(path), columns_(columns), outline_(outline), choices_(columns.size())
    {
        for (qsizetype c = 0; c < columns_.size(); ++c) {
            for (const QString &choice : outline_.choices[c])
                choices_[c].push_back(choice.toUtf8());
        }
    }

    ~SavWriter() override
    {
        if (writer_)
            readstat_writer_free(writer_);
    }

    bool write(const ExportRow &row) override
    {
        if (!writer_ && !begin())
            return false;
        check(readstat_begin_row(writer_));
        for (qsizetype c = 0; c < std::ssize(row); ++c) {
            readstat_variable_t *variable = variables_[c];
            if (const auto *number = std::get_if<double>(&row[c])) {
                check(readstat_insert_double_value(writer_, variable, *number));
            } else if (const auto *text = std::get_if<QByteArrayView>(&row[c])) {
                if (columns_[c].kind == ExportColumn::Kind::Choice) {
                    const auto &choices = choices_[c];
                    const auto found = std::find(choices.begin(), choices.end(), *text);
                    check(found == choices.end()
                              ? readstat_insert_missing_value(writer_, variable)
                              : readstat_insert_double_value(writer_, variable, double(found - choices.begin() + 1)));
                } else {
                    // ReadStat takes a text that ends in a zero byte.
                    text_.assign(text->data(), static_cast<size_t>(text->size()));
                    check(readstat_insert_string_value(writer_, variable, text_.c_str()));
                }
            } else {
                check(columns_[c].kind == ExportColumn::Kind::Text
                          ? readstat_insert_string_value(writer_, variable, "")
                          : readstat_insert_missing_value(writer_, variable));
            }
        }
        check(readstat_end_row(writer_));
        return !failed();
    }

    std::optional<QString> finish() override
    {
        if (!writer_)
            begin(); // no rows: the dictionary alone
        if (writer_)
            check(readstat_end_writing(writer_));
        if (error_)
            return error_;
        return file_.commit();
    }

private:
    static ssize_t WriteBytes(const void *data, size_t length, void *context)
    {
        auto *file = static_cast<SafeFileWriter *>(context);
        return file->write(static_cast<const char *>(data), static_cast<qint64>(length)) ? static_cast<ssize_t>(length)
                                                                                          : -1;
    }

    bool begin()
    {
        writer_ = readstat_writer_init();
        check(readstat_set_data_writer(writer_, &SavWriter::WriteBytes));
        check(readstat_writer_set_compression(writer_, READSTAT_COMPRESS_ROWS));
        for (qsizetype c = 0; c < columns_.size(); ++c)
            variables_.push_back(addVariable(columns_[c], c));
        check(readstat_begin_writing_sav(writer_, &file_, outline_.rows));
        return !failed();
    }

    readstat_variable_t *addVariable(const ExportColumn &column, qsizetype c)
    {
        const QByteArray name = column.name.toLatin1();
        const bool text = column.kind == ExportColumn::Kind::Text;
        const qsizetype width = text ? std::max<qsizetype>(outline_.longest[c], 1) : 0; // in bytes
        readstat_variable_t *variable =
            readstat_add_variable(writer_, name.constData(), text ? READSTAT_TYPE_STRING : READSTAT_TYPE_DOUBLE, width);
        readstat_variable_set_label(variable, column.label.toUtf8().constData());
        QList<std::pair<double, QString>> labels = column.valueLabels;
        for (qsizetype i = 0; i < outline_.choices[c].size(); ++i)
            labels.append({double(i + 1), outline_.choices[c][i]});
        if (!labels.isEmpty()) {
            readstat_label_set_t *set =
                readstat_add_label_set(writer_, READSTAT_TYPE_DOUBLE, (name + "_labels").constData());
            for (const auto &[value, label] : labels)
                readstat_label_double_value(set, value, label.toUtf8().constData());
            readstat_variable_set_label_set(variable, set);
        }
        // An answer stays a number on its scale, though its anchors are labelled.
        const bool nominal = text || column.kind == ExportColumn::Kind::Choice || column.categories;
        readstat_variable_set_measure(variable, nominal ? READSTAT_MEASURE_NOMINAL : READSTAT_MEASURE_SCALE);
        if (!text)
            readstat_variable_set_format(variable, column.decimals > 0 ? "F8.2" : "F8.0");
        return variable;
    }

    void check(readstat_error_t result)
    {
        if (result == READSTAT_OK || error_)
            return;
        error_ = file_.failed() ? file_.commit() : QString::fromUtf8(readstat_error_message(result));
    }

    bool failed() const { return error_.has_value(); }

    SafeFileWriter file_;
    QList<ExportColumn> columns_;
    ExportOutline outline_;
    std::vector<std::vector<QByteArray>> choices_; // by column: the outline's choices in UTF-8
    std::string text_;                             // the text being written, ending in a zero byte
    readstat_writer_t *writer_ = nullptr;
    std::vector<readstat_variable_t *> variables_;
    std::optional<QString> error_;
};

} // namespace

std::unique_ptr<ExportWriter> NewSavWriter(const QString &path, const QList<ExportColumn> &columns,
                                           const ExportOutline &outline)
{
    return std::make_unique<SavWriter>(path, columns, outline);
}

} // namespace morva
