#include "ui/ask_code.h"

#include "records/subject_code.h"
#include "ui/message_box.h"
#include "ui/message_prompt.h"

namespace morva {

std::optional<QString> AskSubjectCode(QWidget *owner, const QString &prompt, const QString &title)
{
    const QString code = NormalizedCode(InputBox(owner, prompt, title));
    if (code.isEmpty()) {
        MessagePrompt::Show(owner, QStringLiteral("شما بايد شماره آزمودني مورد نظر را وارد كنيد"));
        return std::nullopt;
    }
    return code;
}

} // namespace morva
