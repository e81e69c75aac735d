#pragma once

#include <QLatin1String>
#include <QString>

// The names of the tables and columns of both data files, in one place.
namespace morva::column {

inline constexpr QLatin1String Id("ID");
inline constexpr QLatin1String Code("Code");
inline constexpr QLatin1String FName("FName");
inline constexpr QLatin1String LName("LName");
inline constexpr QLatin1String Sen("Sen");       // age
inline constexpr QLatin1String Tahsil("Tahsil"); // education
inline constexpr QLatin1String Date("Date");
inline constexpr QLatin1String Time("Time");
inline constexpr QLatin1String Jens("Jens");     // gender
inline constexpr QLatin1String Taahol("Taahol"); // marital status
inline constexpr QLatin1String Morva("Morva");   // the beloved's name
inline constexpr QLatin1String Group("Group");
inline constexpr QLatin1String Number("Number");   // a session's, from 1 for a subject's first
inline constexpr QLatin1String Started("Started"); // when a session's test window opened, ISO 8601
inline constexpr QLatin1String Saved("Saved");     // when its answers were saved, ISO 8601

inline constexpr QLatin1String Th("TH"); // theme number
inline constexpr QLatin1String Name("Name");
inline constexpr QLatin1String Adress("Adress");

// Tables Answer and Session have one column per item of the questionnaire.
inline constexpr int ItemColumns = 45;

// The answer to an item is kept in the column named by the item's number: "1" ... "45".
inline QString Answer(int item)
{
    return QString::number(item);
}

} // namespace morva::column

namespace morva::table {

inline constexpr QLatin1String Theme("Theme");
inline constexpr QLatin1String Subjects("IDE");
inline constexpr QLatin1String Answers("Answer");
inline constexpr QLatin1String Sessions("Session");

} // namespace morva::table
