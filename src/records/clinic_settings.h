#pragma once

#include <QString>

namespace morva {

// The desk's settings: the theme's number as stored ("1" to "11", read by LeadingNumber), and the
// clinic's name and address as the clinic typed them.
struct ClinicSettings {
    QString theme = QStringLiteral("1");
    QString name;
    QString address;

    friend bool operator==(const ClinicSettings &, const ClinicSettings &) = default;
};

} // namespace morva
