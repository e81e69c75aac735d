#include "ui/window_frame.h"

#include "records/columns.h"
#include "records/table_view.h"
#include "ui/apply_theme.h"
#include "ui/bound_field.h"
#include "ui/twips.h"

#include <QLineEdit>
#include <QWidget>

namespace morva {

WindowFrame::WindowFrame(QWidget *window, const Design &design)
    : window_(window), settings_(std::make_unique<DataConnection>(DataFile::Settings, design.name))
{
    if (design.files == Files::SettingsAndSubjects)
        subjects_ = std::make_unique<DataConnection>(DataFile::Subjects, design.name);
    window->setObjectName(design.name);
    window->setWindowTitle(design.title);
    window->setFixedSize(TwipsToPixels(design.clientTwips.width()), TwipsToPixels(design.clientTwips.height()));
    adodc1_ = NamedView(*settings_, table::Theme, QStringLiteral("Adodc1"), window);
    themeField_ = HiddenField(window, design.themeField, QStringLiteral("1"));
    BindField(themeField_, adodc1_, column::Th);
}

WindowFrame::~WindowFrame() = default;

TableView *WindowFrame::subjectsView(const QString &table, const QString &name) const
{
    return NamedView(*subjects_, table, name, window_);
}

void WindowFrame::finishLoading(QPoint placeTwips) const
{
    PlaceOnScreen(window_, placeTwips.x(), placeTwips.y());
    ApplyTheme(window_, themeField_->text());
}

} // namespace morva
