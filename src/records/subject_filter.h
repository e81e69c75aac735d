#pragma once

#include <QString>

namespace morva {

// Which subjects a list, a count or an export takes: every one, or those whose group, first
// name, last name or code equals a value exactly (letter case, blanks and punctuation count).
struct SubjectFilter {
    enum class Field { All, Group, FirstName, LastName, Code };
    Field field = Field::All;
    QString value;

    static SubjectFilter All() { return {}; }
    bool isAll() const { return field == Field::All; }
    friend bool operator==(const SubjectFilter &, const SubjectFilter &) = default;
};

} // namespace morva
