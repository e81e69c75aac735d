#include "backup/ui/frm_backup.h"

#include "common/files.h"
#include "backup/backup_files.h"
#include "backup/encrypted_backup.h"
#include "backup/ui/passphrase_box.h"
#include "common/persian_digits.h"
#include "records/data_error.h"
#include "records/subject_store.h"
#include "common/database_copy.h"
#include "common/display_text.h"
#include "ui/controls.h"
#include "ui/file_dialog.h"
#include "ui/message_box.h"
#include "common/timing.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace morva {
namespace {

// The filter of the file dialogs, as pairs of a description and its patterns: for a new backup,
// plain or encrypted; for a restore, both kinds.
QStringList BackupFilters(bool plain, bool encrypted)
{
    if (!plain)
        return NameFilters(QStringLiteral("Encrypted Database Backup |*.mdbE"));
    return NameFilters(QStringLiteral("Database Backup |*.mdbB") + (encrypted ? QStringLiteral(";*.mdbE") : QString()));
}

// Said after a refused encrypted backup: nothing has been done yet.
QString NothingChanged()
{
    return QStringLiteral(" اطلاعات آزمودنی‌ها تغییری نکرد.");
}

QLabel *TopLabel(QWidget *parent, const QString &name, const QRect &twips, Qt::Alignment alignment)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(TwipsRect(twips));
    label->setAlignment(alignment | Qt::AlignAbsolute | Qt::AlignVCenter);
    return label;
}

} // namespace

Frmbackup::Frmbackup(Stores &stores, QWidget *parent)
    : QWidget(parent),
      frame_(this, stores,
             {QStringLiteral("Frmbackup"), QStringLiteral("Back up ...  Reastor"), {7200, 4740}, QStringLiteral("Text3")})
{
    label1_ = TopLabel(this, QStringLiteral("Label1"), {3960, 120, 3000, 420}, Qt::AlignRight);
    label2_ = TopLabel(this, QStringLiteral("Label2"), {240, 120, 3000, 420}, Qt::AlignLeft);
    label3_ = TopLabel(this, QStringLiteral("Label3"), {3960, 120, 3000, 420}, Qt::AlignRight);
    label3_->hide();

    text1_ = section(QStringLiteral("تهیه‌ی نسخه‌ی پشتیبان"), 600,
                     {QStringLiteral("Frame1"), QStringLiteral("Text1"), QStringLiteral("b1"), QStringLiteral("VisualButtonEx2")},
                     QStringLiteral("BACKUP"), &Frmbackup::onB1Clicked, &Frmbackup::onVisualButtonEx2Clicked);
    checkEncrypt_ = new QCheckBox(QStringLiteral("رمزگذاری با گذرواژه"), text1_->parentWidget());
    checkEncrypt_->setObjectName(QStringLiteral("CheckEncrypt"));
    checkEncrypt_->setGeometry(TwipsRect(2280, 960, 4200, 420));
    connect(checkEncrypt_, &QCheckBox::toggled, this, &Frmbackup::onCheckEncryptToggled);
    text2_ = section(QStringLiteral("بازیابی از نسخه‌ی پشتیبان"), 2220,
                     {QStringLiteral("Frame2"), QStringLiteral("Text2"), QStringLiteral("b2"), QStringLiteral("VisualButtonEx3")},
                     QStringLiteral("REASTOR"), &Frmbackup::onB2Clicked, &Frmbackup::onVisualButtonEx3Clicked);

    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("ProgressBar1"));
    progress_->setGeometry(TwipsRect(240, 3840, 6720, 300));
    progress_->setRange(0, 1000);
    progress_->hide();

    connect(button(this, QStringLiteral("Command1"), QStringLiteral("خروج"), {240, 4200, 1800, 420}),
            &QPushButton::clicked, this, &QWidget::close);

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(ScaledDelay(1000));
    connect(timer1_, &QTimer::timeout, this, &Frmbackup::onTimer1Fired);

    frame_.finishLoading(kStandardPlace);
    const QDateTime now = QDateTime::currentDateTime();
    label2_->setText(BackupTimeText(now.time()));
    label1_->setText(BackupDateText(now));
    label3_->setText(label1_->text());
    timer1_->start();
}

Frmbackup::~Frmbackup() = default;

QPushButton *Frmbackup::button(QWidget *parent, const QString &name, const QString &caption, const QRect &twips)
{
    QPushButton *command = PlaceButton(parent, name, caption, twips);
    commands_ << command;
    return command;
}

QLineEdit *Frmbackup::section(const QString &title, int top, const QStringList &names, const QString &caption,
                              void (Frmbackup::*onChoose)(), void (Frmbackup::*onCopy)())
{
    auto *box = new QGroupBox(title, this);
    box->setObjectName(names[0]);
    box->setGeometry(TwipsRect(240, top, 6720, 1500));
    auto *field = new QLineEdit(box);
    field->setObjectName(names[1]);
    field->setGeometry(TwipsRect(960, 450, 5520, 420));
    // A path reads left to right, whatever language its folders are named in.
    field->setLayoutDirection(Qt::LeftToRight);
    connect(button(box, names[2], QStringLiteral("---"), {240, 450, 600, 420}), &QPushButton::clicked, this, onChoose);
    connect(button(box, names[3], caption, {240, 960, 1800, 420}), &QPushButton::clicked, this, onCopy);
    return field;
}

void Frmbackup::closeEvent(QCloseEvent *event)
{
    if (copying_) {
        event->ignore(); // a copy half done is never left behind
        return;
    }
    event->accept();
    Q_EMIT endRequested();
}

void Frmbackup::copying(const std::function<void(const BetweenChunks &)> &work)
{
    copying_ = true;
    for (QPushButton *command : std::as_const(commands_))
        command->setEnabled(false);
    progress_->setValue(0);
    progress_->show();
    work(Paced([this](qint64 copied, qint64 total) {
        progress_->setValue(static_cast<int>(copied * progress_->maximum() / std::max<qint64>(total, 1)));
        QCoreApplication::processEvents(); // the clock goes on, the window repaints
    }));
    progress_->setValue(progress_->maximum());
    for (QPushButton *command : std::as_const(commands_))
        command->setEnabled(true);
    copying_ = false;
}

void Frmbackup::showCopyFailure(const QString &why)
{
    ShowMessageBox(this, QStringLiteral("اشکال در ايجاد نسخه پشتيباني") + u'\n' + why, {}, BoxStyle::OkStopRtl);
}

// Which backup replaces which subjects (counted in readable: the backup, or what it was decrypted
// into), and where the present ones are kept.
QString Frmbackup::restoreNotice(const QString &backup, const QString &readable, const QString &kept) const
{
    const auto count = [](std::optional<qint64> subjects) {
        return subjects ? QStringLiteral(" (%1 آزمودنی)").arg(PersianNumber(double(*subjects))) : QString();
    };
    std::optional<qint64> present;
    try {
        present = frame_.subjects().count(SubjectFilter::All());
    } catch (const DataError &) {
        // the question goes without the number; the restore says what is wrong
    }
    return QStringLiteral("نسخه‌ی پشتیبان «%1»%2 جای اطلاعات کنونی%3 را می‌گیرد؛ پیش از آن، برنامه از اطلاعات کنونی "
                          "نسخه‌ای با نام «%4» در پوشه‌ی نسخه‌های پشتیبان ذخیره می‌کند.")
        .arg(Isolated(QFileInfo(backup).fileName()), count(SubjectsInBackup(readable)), count(present),
             Isolated(QFileInfo(kept).fileName()));
}

void Frmbackup::onTimer1Fired()
{
    label2_->setText(BackupTimeText(QTime::currentTime()));
}

void Frmbackup::onCheckEncryptToggled(bool encrypted)
{
    text1_->setText(WithBackupExtension(text1_->text(), encrypted));
}

void Frmbackup::onB1Clicked()
{
    const bool encrypted = checkEncrypt_->isChecked();
    const QString proposed = WithBackupExtension(BackupFileName(label3_->text(), label2_->text()), encrypted);
    const QString path = AskSavePath(this, {}, BackupFolder(), proposed, BackupFilters(!encrypted, encrypted));
    if (!path.isEmpty())
        text1_->setText(path);
}

void Frmbackup::onB2Clicked()
{
    const QString path = AskOpenPath(this, {}, BackupFolder(), BackupFilters(true, true));
    if (!path.isEmpty())
        text2_->setText(path);
}

void Frmbackup::onVisualButtonEx2Clicked()
{
    const bool encrypted = checkEncrypt_->isChecked();
    const QString target = WithBackupExtension(text1_->text(), encrypted);
    text1_->setText(target);
    if (target.isEmpty()) {
        ShowMessageBox(this, QStringLiteral("لطفا مسير تهيه نسخه پشتيبان را وارد کنيد"), QStringLiteral("خطا"),
                       BoxStyle::OkExclamationRtl);
        return;
    }
    if (QFileInfo::exists(target)
        && ShowMessageBox(this, QStringLiteral("فايل پشتيباني با اين نام قبلا ايجاد شده آيا ميخواهيد اين فايل را جايگزين کنيد؟"),
                          {}, BoxStyle::YesNo)
               != QMessageBox::Yes) {
        ShowMessageBox(this, QStringLiteral("عدم موفقيت در تهيه نسخه پشتيبان"), {}, BoxStyle::OkInformationRtl);
        return;
    }
    std::unique_ptr<Passphrase> passphrase;
    if (encrypted && !(passphrase = PassphraseBox::Ask(this, PassphraseBox::Purpose::Make)))
        return; // cancelled: nothing is written
    const BackupWriter write = passphrase ? EncryptingWriter(*passphrase) : BackupWriter(CopyDatabaseFile);
    std::optional<QString> failed;
    std::optional<QString> refused; // the subjects could not be read for the copy: the window stays
    copying([&](const BetweenChunks &step) {
        try {
            failed = frame_.subjects().backupTo(target, step, write);
        } catch (const DataError &error) {
            refused = error.fullText();
        }
    });
    if (refused) {
        ShowMessageBox(this, *refused, QStringLiteral("Error"));
        return;
    }
    if (failed)
        showCopyFailure(*failed);
    else
        ShowMessageBox(this, QStringLiteral("نسخه پشتيبان تهيه گرديد"));
    Q_EMIT endRequested();
}

void Frmbackup::onVisualButtonEx3Clicked()
{
    const QString source = text2_->text();
    if (source.isEmpty()) {
        ShowMessageBox(this, QStringLiteral("لطفا مسير فايل مربوطه را وارد کنيد"), QStringLiteral("خطا"),
                       BoxStyle::OkExclamationRtl);
        return;
    }
    // An encrypted backup is opened first, into a file beside the subjects file; that file is then
    // restored from as a plain backup is.
    std::unique_ptr<DecryptedBackup> decrypted;
    if (IsEncryptedBackup(source)) {
        const std::unique_ptr<Passphrase> passphrase = PassphraseBox::Ask(this, PassphraseBox::Purpose::Open);
        if (!passphrase)
            return;
        decrypted = std::make_unique<DecryptedBackup>();
        RestoreOutcome opened;
        copying([&](const BetweenChunks &step) {
            opened = decrypted->open(source, *passphrase, NothingChanged(), step);
        });
        if (opened.stop == RestoreOutcome::Stop::NotCopied) {
            showCopyFailure(opened.why);
            return;
        }
        if (opened.stop != RestoreOutcome::Stop::None) {
            ShowMessageBox(this, opened.why, QStringLiteral("خطا"), BoxStyle::OkExclamationRtl);
            return;
        }
    }
    const QString readable = decrypted ? decrypted->path() : source;
    const QString kept = KeptFilePath(BackupFolder(), label3_->text(), label2_->text());
    if (ShowMessageBox(this, QStringLiteral("آيا ميخواهيد اطلاعات را بازيابي کنيد؟") + u'\n' + restoreNotice(source, readable, kept),
                       {}, BoxStyle::YesNo, {}, QMessageBox::No)
        != QMessageBox::Yes) {
        ShowMessageBox(this, QStringLiteral("عدم موفقيت در بازيابي اطلاعات "));
        return;
    }
    RestoreOutcome outcome;
    copying([&](const BetweenChunks &step) {
        try {
            outcome = frame_.subjects().restoreFrom(
                readable, kept, QStringLiteral(" اطلاعات آزمودنی‌ها تغییری نکرد؛ لطفاً نسخه‌ی پشتیبان دیگری را انتخاب کنید."),
                step);
        } catch (const DataError &error) {
            outcome = {RestoreOutcome::Stop::StoreBusy, error.fullText()};
        }
    });
    using Stop = RestoreOutcome::Stop;
    switch (outcome.stop) {
    case Stop::StoreBusy:
        ShowMessageBox(this, outcome.why + u'\n' + QStringLiteral("تمامي فرم ها را ببندبد به جز فرم اصلي و اين پنجره"),
                       QStringLiteral("خطا"), BoxStyle::OkExclamationRtl);
        return;
    case Stop::NotABackup:
        ShowMessageBox(this, outcome.why, QStringLiteral("خطا"), BoxStyle::OkExclamationRtl);
        return;
    case Stop::NotKept:
        ShowMessageBox(this,
                       QStringLiteral("نسخه‌ای از اطلاعات کنونی در «%1» ذخیره نشد؛ از این رو بازیابی انجام نشد "
                                      "و اطلاعات آزمودنی‌ها تغییری نکرد. لطفاً فضای خالی دیسک و اجازه‌ی نوشتن "
                                      "در آن پوشه را بررسی کنید.")
                               .arg(ShownPath(kept))
                           + QStringLiteral("\n\n") + outcome.why,
                       QStringLiteral("خطا"), BoxStyle::OkExclamationRtl);
        return;
    case Stop::NotCopied:
        showCopyFailure(outcome.why);
        break;
    case Stop::None:
        ShowMessageBox(this, QStringLiteral("بازيابي اطلاعات انجام شد"));
        break;
    }
    Q_EMIT endRequested();
}

} // namespace morva
