#include "ui/modal.h"

#include <QDialog>
#include <QTimer>

#include <list>

namespace morva {
namespace {

struct Answer {
    const QMetaObject *type;
    std::function<void(QDialog *)> answer;
};

struct Answers {
    std::list<Answer> waiting;
    std::function<void(QDialog *)> fallback;

    std::function<void(QDialog *)> take(const QDialog &dialog)
    {
        for (auto it = waiting.begin(); it != waiting.end(); ++it) {
            if (dialog.metaObject()->inherits(it->type)) {
                auto answer = std::move(it->answer);
                waiting.erase(it);
                return answer;
            }
        }
        return fallback;
    }
};

Answers &TestAnswers()
{
    static Answers answers;
    return answers;
}

} // namespace

int ExecModal(QDialog &dialog)
{
    if (auto answer = TestAnswers().take(dialog)) // runs as soon as the dialog's own event loop does
        QTimer::singleShot(0, &dialog, [&dialog, answer] { answer(&dialog); });
    return dialog.exec();
}

void AnswerNextModal(const QMetaObject &type, std::function<void(QDialog *)> answer)
{
    TestAnswers().waiting.push_back({&type, std::move(answer)});
}

void SetModalFallback(std::function<void(QDialog *)> answer)
{
    TestAnswers().fallback = std::move(answer);
}

} // namespace morva
