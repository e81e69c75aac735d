#pragma once

#include "records/clinic_settings.h"
#include "records/stores.h"

#include <QPoint>
#include <QSize>
#include <QString>

class QLineEdit;
class QWidget;

namespace morva {

// Where the main, test, scoring, lookup and backup windows stand on the screen, in twips.
inline constexpr QPoint kStandardPlace{2340, 765};

// What every themed window shares: its name, title and client size in twips; the stores it
// reaches the data through; the desk's settings as the window loads, with the hidden theme field
// holding the theme's number; and the last step of its loading, placing it. The window takes its
// theme as the frame is made, before its controls.
class WindowFrame {
public:
    struct Design {
        QString name;
        QString title;
        QSize clientTwips;
        QString themeField; // the name of the hidden theme field: Text1, Text2...
    };

    // Throws DataError when the settings cannot be read.
    WindowFrame(QWidget *window, Stores &stores, const Design &design);

    Stores &stores() const { return stores_; }
    SettingsStore &settings() const { return stores_.settings; }
    SubjectStore &subjects() const { return stores_.subjects; }
    // The settings as they were when the window loaded.
    const ClinicSettings &loadedSettings() const { return loaded_; }
    QLineEdit *themeField() const { return themeField_; }

    // Places the window at a point of the screen given in twips.
    void finishLoading(QPoint placeTwips) const;

private:
    QWidget *window_;
    Stores &stores_;
    ClinicSettings loaded_;
    QLineEdit *themeField_ = nullptr;
};

} // namespace morva
