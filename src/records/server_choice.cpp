#include "records/server_choice.h"

#include "common/numbers.h"

namespace morva {

std::optional<QString> TidyServerChoice(ServerChoice &server)
{
    for (QString *field : {&server.host, &server.port, &server.database, &server.user})
        *field = field->trimmed();
    if (server.database.isEmpty())
        return QStringLiteral("لطفاً نام پایگاه داده را بنویسید.");
    if (!server.port.isEmpty()) {
        const std::optional<double> port = WholeNumber(server.port);
        if (!port || *port != int(*port) || *port < 1 || *port > 65535)
            return QStringLiteral("درگاه باید عددی از ۱ تا ۶۵۵۳۵ باشد؛ برای درگاه پیش‌فرض آن را خالی بگذارید.");
        server.port = QString::number(int(*port));
    }
    return std::nullopt;
}

} // namespace morva
