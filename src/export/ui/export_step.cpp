#include "export/ui/export_step.h"

#include "common/files.h"
#include "calendar/jalali.h"
#include "export/research_export.h"
#include "ui/data_guard.h"
#include "ui/file_dialog.h"
#include "ui/message_box.h"
#include "ui/message_prompt.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QHBoxLayout>
#include <QProgressDialog>

namespace morva {
namespace {

struct FormatChoice {
    ExportFormat format;
    const char *suffix;
};

// In the order of the save dialog's filters.
constexpr FormatChoice kFormats[] = {{ExportFormat::Csv, ".csv"}, {ExportFormat::Xlsx, ".xlsx"}, {ExportFormat::Sav, ".sav"}};

QStringList FormatFilters()
{
    return {QStringLiteral("CSV (*.csv)"), QStringLiteral("Excel (*.xlsx)"), QStringLiteral("SPSS (*.sav)")};
}

// Names the group of a narrowed list, never a person: a file without names must not carry one in
// its own name.
QString ProposedName(const SubjectFilter &filter)
{
    const QString date = PersianDateText(QDateTime::currentDateTime());
    if (filter.field == SubjectFilter::Field::Group)
        return FileNameFromParts({QStringLiteral("آزمودنی‌های گروه"), filter.value, date});
    return FileNameFromParts({QStringLiteral("آزمودنی‌ها"), date});
}

// What the save dialog asks below the file's type: whether names go in the file, and whether a row
// holds a subject or one session of a subject. The dialog hands the panel back when it closes.
class ExportOptions {
public:
    ExportOptions()
        : withoutNames_(new QCheckBox(QStringLiteral("بدون نام‌ها"), &panel_)),
          perSession_(new QCheckBox(QStringLiteral("یک سطر برای هر اجرای آزمون"), &panel_))
    {
        withoutNames_->setObjectName(QStringLiteral("WithoutNames"));
        withoutNames_->setChecked(true);
        withoutNames_->setToolTip(QStringLiteral("نام، نام خانوادگی و نام معشوق در فایل نوشته نمی‌شوند."));
        perSession_->setObjectName(QStringLiteral("RowPerSession"));
        perSession_->setToolTip(QStringLiteral("برای هر اجرای آزمون یک سطر، همراه با شماره و تاریخ آن اجرا.\n"
                                           "آزمودنی‌هایی که هنوز به آزمون پاسخ نداده‌اند در فایل نمی‌آیند.\n"
                                           "اجراهایی که تاریخشان ثبت نشده، ستون تاریخشان خالی می‌ماند."));
        auto *row = new QHBoxLayout(&panel_);
        row->setContentsMargins(0, 0, 0, 0);
        row->addWidget(withoutNames_);
        row->addSpacing(TwipsToPixels(360));
        row->addWidget(perSession_);
        row->addStretch();
    }

    QWidget *panel() { return &panel_; }
    bool withNames() const { return !withoutNames_->isChecked(); }
    ExportRows rows() const { return perSession_->isChecked() ? ExportRows::PerSession : ExportRows::PerSubject; }

private:
    QWidget panel_;
    QCheckBox *withoutNames_;
    QCheckBox *perSession_;
};

// Shows how far the export is once it takes longer than a moment; its button stops it.
class ExportProgressDialog {
public:
    explicit ExportProgressDialog(QWidget *owner)
        : dialog_(QStringLiteral("در حال نوشتن خروجی…"), QStringLiteral("انصراف"), 0, 1, owner)
    {
        dialog_.setWindowTitle(QStringLiteral("خروجی گرفتن"));
        dialog_.setLayoutDirection(Qt::RightToLeft);
        dialog_.setWindowModality(Qt::WindowModal);
        dialog_.setMinimumDuration(700);
        dialog_.setMinimumWidth(TwipsToPixels(5400));
        dialog_.setAutoClose(false);
        dialog_.setAutoReset(false);
    }

    bool report(qint64 done, qint64 total)
    {
        dialog_.setMaximum(static_cast<int>(std::max<qint64>(total, 1)));
        dialog_.setValue(static_cast<int>(done));
        return !dialog_.wasCanceled();
    }

private:
    QProgressDialog dialog_;
};

} // namespace

void RunResearchExport(QWidget *owner, SubjectStore &store, const SubjectFilter &filter)
{
    ExportOptions options;
    const SaveChoice choice = AskSaveChoice(owner, QStringLiteral("خروجی گرفتن"), QDir::homePath(), ProposedName(filter),
                                            FormatFilters(), options.panel());
    if (choice.path.isEmpty())
        return;
    const FormatChoice format = kFormats[std::clamp(choice.filter, 0, 2)];
    QString path = choice.path;
    if (!path.endsWith(QLatin1String(format.suffix), Qt::CaseInsensitive))
        path += QLatin1String(format.suffix);
    if (!MayReplace(owner, path))
        return;

    const ExportRequest request{path, format.format, filter, options.withNames(), options.rows()};
    ExportOutcome outcome;
    const bool read = RunGuarded(owner, [&] {
        ExportProgressDialog progress(owner);
        outcome = ExportSubjects(store, request,
                                 [&](qint64 done, qint64 total) { return progress.report(done, total); });
    });
    if (!read)
        return;
    // Told from what the export did: a stop asked for while the file was being finished came too
    // late, and the file is written all the same.
    switch (outcome.result) {
    case ExportOutcome::Result::Stopped:
        MessagePrompt::Show(owner, QStringLiteral("خروجی گرفتن لغو شد و فایلی نوشته نشد."), 2000);
        return;
    case ExportOutcome::Result::Failed:
        ShowMessageBox(owner,
                       QStringLiteral("خروجی در فایل «%1» نوشته نشد. لطفاً دوباره تلاش کنید یا پوشه‌ی دیگری انتخاب کنید.")
                               .arg(ShownPath(path))
                           + QStringLiteral("\n\n") + outcome.reason,
                       QStringLiteral("خطا"), BoxStyle::OkStopRtl);
        return;
    case ExportOutcome::Result::Written:
        ShowMessageBox(owner, QStringLiteral("خروجی در فایل «%1» نوشته شد.").arg(ShownPath(path)), {},
                       BoxStyle::OkInformationRtl);
        return;
    }
}

} // namespace morva
