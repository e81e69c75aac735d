#pragma once

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <QMessageBox>
#include <QSet>

#include <functional>
#include <memory>

namespace morva::testing {

// A temporary data folder that is the working directory while the object lives.
class DataFolder {
public:
    explicit DataFolder(bool prepare = true);
    ~DataFolder();
    QString path() const { return dir_.path(); }
    QString file(const QString &relative) const { return dir_.filePath(relative); }

private:
    QTemporaryDir dir_;
    QString previous_;
};

// Answers the next modal widget of type T (a message box, an input box...) once it shows.
// Fails the running test when none of that type appears in time.
template <class T> void WhenModal(std::function<void(T *)> answer, int timeoutMs = 5000)
{
    auto *poll = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(poll, &QTimer::timeout, [=] {
        T *w = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!w && clock->elapsed() < timeoutMs)
            return;
        poll->stop();
        poll->deleteLater();
        if (w)
            answer(w);
        else
            QTest::qFail("no modal dialog appeared", __FILE__, __LINE__);
    });
    poll->start(10);
}

// Types text into a widget one character at a time (Persian included).
void TypeText(QWidget *widget, const QString &text);

// Stores a subject as registration does: its IDE row (unless withSubjectRow is false) and its
// Answer row with these 45 answers (none: every answer empty). The other particulars are
// fixed: last name احمدی, age 34, education کارشناسی ارشد, date 1403/05/09, time 10:00:00,
// gender زن, marital status متأهل, group A.
void InsertSubject(const QString &code, const QString &firstName, const QString &beloved,
                   const QStringList &answers = {}, bool withSubjectRow = true);

// The words of a text with Arabic-script letters brought to plain, comparable form (letters
// out of their presentation forms, no joiners or direction marks, one form of yeh and kaf).
QSet<QString> PlainWords(const QString &text);
// The words pdftotext finds in a PDF, in the same form.
QSet<QString> PdfWords(const QString &pdfPath);

// What a message box showed. For a self-closing prompt, delayMs is the delay its owner's timer
// was armed with; -1 for a plain box.
struct SeenBox {
    bool seen = false;
    QString title;
    QString text;
    int delayMs = -1;
};

// Records the next message box and presses button on it.
std::shared_ptr<SeenBox> AnswerNextBox(QMessageBox::StandardButton button = QMessageBox::Ok);

// Records and closes every modal window that opens while it lives, so that a test can show
// that a step opens none.
class ModalWatch {
public:
    ModalWatch();
    QStringList seen; // window titles
private:
    QTimer timer_;
};


} // namespace morva::testing
