#include "appearance/ui/clinic_panel.h"

#include "ui/controls.h"
#include "ui/twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

namespace morva {
namespace {

QLineEdit *AddField(QWidget *panel, const QString &name, const QString &caption, int top)
{
    auto *field = new QLineEdit(panel);
    field->setObjectName(name);
    field->setGeometry(TwipsRect(240, top, 4800, 420));
    field->setMaxLength(std::numeric_limits<int>::max()); // a line edit cuts at 32,767 otherwise
    FieldCaption(panel, caption, field)->setGeometry(TwipsRect(5100, top, 855, 420));
    return field;
}

} // namespace

ClinicPanel::ClinicPanel(QWidget *parent) : QGroupBox(parent)
{
    SetUpPanel(this, QStringLiteral("Frame9"), {1620, 840, 6075, 2295});
    text2_ = AddField(this, QStringLiteral("Text2"), QStringLiteral(" :نام"), 360);
    text14_ = AddField(this, QStringLiteral("Text14"), QStringLiteral(" :آدرس"), 960);
    connect(PlaceButton(this, QStringLiteral("Command64"), QStringLiteral("ذخيره "), {3240, 1620, 1800, 480}),
            &QPushButton::clicked, this, &ClinicPanel::saveRequested);
    connect(PlaceButton(this, QStringLiteral("Command7"), QStringLiteral("انصراف"), {1200, 1620, 1800, 480}),
            &QPushButton::clicked, this, &ClinicPanel::cancelRequested);
}

} // namespace morva
