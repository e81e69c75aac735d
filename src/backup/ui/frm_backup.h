#pragma once

#include "common/database_copy.h"
#include "ui/window_frame.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace morva {

// The backup window, reached on the way out of the program: copies the subjects file to a
// backup file (encrypted with a passphrase when its box is ticked), or a backup file back over it. Leaving it ends the program: after a copy, by its
// exit button or by its close box.
class Frmbackup : public QWidget {
    Q_OBJECT

public:
    // Throws DataError when the settings cannot be read.
    explicit Frmbackup(Stores &stores, QWidget *parent = nullptr);
    ~Frmbackup() override;

Q_SIGNALS:
    // The program is to end now.
    void endRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // A command of the window, placed in twips inside parent; disabled while a copy runs.
    QPushButton *button(QWidget *parent, const QString &name, const QString &caption, const QRect &twips);
    // One half of the window, in a box at top: a path field, its "---" chooser and the command
    // that copies; names are those of the box, the field, the chooser and the command.
    QLineEdit *section(const QString &title, int top, const QStringList &names, const QString &caption,
                       void (Frmbackup::*onChoose)(), void (Frmbackup::*onCopy)());
    // Runs a copy with the commands disabled and the progress bar moving.
    void copying(const std::function<void(const BetweenChunks &)> &work);
    void showCopyFailure(const QString &why);
    QString restoreNotice(const QString &backup, const QString &readable, const QString &kept) const;

    void onTimer1Fired();
    void onCheckEncryptToggled(bool encrypted);
    void onB1Clicked();
    void onB2Clicked();
    void onVisualButtonEx2Clicked(); // backup
    void onVisualButtonEx3Clicked(); // restore

    WindowFrame frame_;
    QLabel *label1_ = nullptr; // date
    QLabel *label2_ = nullptr; // time, renewed every second
    QLabel *label3_ = nullptr; // the date of loading, for the proposed name
    QLineEdit *text1_ = nullptr;
    QCheckBox *checkEncrypt_ = nullptr; // the backup is encrypted with a passphrase
    QLineEdit *text2_ = nullptr;
    QProgressBar *progress_ = nullptr;
    QList<QPushButton *> commands_;
    QTimer *timer1_ = nullptr;
    bool copying_ = false;
};

} // namespace morva
