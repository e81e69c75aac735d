#pragma once

#include <QRect>
#include <QString>

class QDialog;
class QDialogButtonBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace morva {

// A command button placed in twips (left, top, width, height) inside parent.
QPushButton *PlaceButton(QWidget *parent, const QString &name, const QString &caption, const QRect &twips);

// Sets up a panel of the main window: named, placed in twips and hidden until a command shows
// it; the skins draw it opaque over what lies under it.
void SetUpPanel(QGroupBox *panel, const QString &name, const QRect &twips);

// The caption of a field, standing to its right. Captions such as " :کد" are written with the
// colon first: they are shown left to right, so that the colon stands between the word and the
// field, and aligned towards the field. The label's text is the caption after a left-to-right
// mark.
QLabel *FieldCaption(QWidget *parent, const QString &text, QWidget *field);

// Shows text in the label, the whole text as its tooltip: on one line in the label's font if it
// fits, else smaller (down to minPoints), else on two lines, and only beyond that elided.
// Call it again when the label's style changes (a theme applied).
void ShowFitted(QLabel *label, const QString &text, double minPoints = 8);

// A dialog's text as it stands (never read as markup), wrapped to the dialog's width.
QLabel *WrappedText(const QString &text, QWidget *parent);

// A field whose typing is hidden, for a password or a passphrase.
QLineEdit *SecretField(QWidget *parent, const QString &name);

// The dialog's "تأیید" and "انصراف" buttons, which accept and reject it.
QDialogButtonBox *OkCancelButtons(QDialog *dialog);

} // namespace morva
