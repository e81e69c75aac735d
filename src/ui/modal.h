#pragma once

#include <functional>

class QDialog;
struct QMetaObject;

namespace morva {

// Runs a dialog modally and returns its result. Every modal dialog of the program (message
// boxes, input boxes, file and print dialogs, its own windows) goes through here.
int ExecModal(QDialog &dialog);

// For tests: the next dialog of the given class (or a class derived from it) that ExecModal
// runs is handed, once it shows, to the answer; answers for one class are used in the order
// given. A dialog that finds no answer waiting goes to the fallback, when one is set.
void AnswerNextModal(const QMetaObject &type, std::function<void(QDialog *)> answer);
void SetModalFallback(std::function<void(QDialog *)> answer);

} // namespace morva
