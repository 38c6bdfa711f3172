#include "platform/ui/OneLineBox.h"

#include <QLineEdit>
#include <QValidator>

#include <algorithm>

namespace lumo::ui {

namespace {

// Runs before the box takes the text, so its change handlers see the one line only. The
// caret stands after what was just inserted: the inserted text is cut at its first line
// break, the text after the caret stays.
class OneLineValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override {
        const auto br = std::find_if(input.cbegin(), input.cend(),
                                     [](QChar c) { return c == u'\r' || c == u'\n' || c == QChar(0); });
        if (br == input.cend())
            return Acceptable;
        const int at = int(br - input.cbegin());
        input = input.left(at) + (pos > at ? input.mid(pos) : QString());
        pos = at;
        return Acceptable;
    }
};

} // namespace

void KeepOneLine(QLineEdit& box) {
    box.setValidator(new OneLineValidator(&box));
}

} // namespace lumo::ui
