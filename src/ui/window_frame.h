#pragma once

#include "records/data_connection.h"

#include <QPoint>
#include <QSize>
#include <QString>

#include <memory>

class QLineEdit;
class QWidget;

namespace morva {

class TableView;

// Where the main, test, scoring, lookup and backup windows stand on the screen, in twips.
inline constexpr QPoint kStandardPlace{2340, 765};

// What every themed window shares: its name, title and client size in twips; its own
// connections to the data files; the view Adodc1 of table Theme with the hidden theme field
// bound to TH; and the last step of its loading, placing it and applying the theme.
class WindowFrame {
public:
    enum class Files { SettingsOnly, SettingsAndSubjects };

    struct Design {
        QString name;
        QString title;
        QSize clientTwips;
        QString themeField; // the name of the hidden theme field: Text1, Text2...
        Files files = Files::SettingsAndSubjects;
    };

    // Throws DataError when a data file cannot be opened.
    WindowFrame(QWidget *window, const Design &design);
    ~WindowFrame();
    WindowFrame(const WindowFrame &) = delete;
    WindowFrame &operator=(const WindowFrame &) = delete;

    DataConnection &settings() const { return *settings_; }
    DataConnection &subjects() const { return *subjects_; }
    TableView *adodc1() const { return adodc1_; }
    QLineEdit *themeField() const { return themeField_; }

    // A view the window knows by name (Adodc2...), on the subjects file.
    TableView *subjectsView(const QString &table, const QString &name) const;

    // Places the window at a point of the screen given in twips, then applies the theme.
    void finishLoading(QPoint placeTwips) const;

private:
    QWidget *window_;
    std::unique_ptr<DataConnection> settings_;
    std::unique_ptr<DataConnection> subjects_;
    TableView *adodc1_ = nullptr;
    QLineEdit *themeField_ = nullptr;
};

} // namespace morva
