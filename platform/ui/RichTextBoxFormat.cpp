#include "platform/ui/RichTextBox.h"

#include "platform/rtf/FontMap.h"
#include "platform/rtf/RtfUnits.h"
#include "platform/ui/Units.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <cmath>

// Selection formats of RichTextBox: tri-state reads over the selected characters and
// merges into the selection or, without one, into the insertion format.
namespace lumo::ui {

namespace {

// Calls fn for the format of every fragment that overlaps [from, to); false when none does
// (an empty range or one over paragraph breaks only).
template <class Fn> bool forEachFormat(const QTextDocument& doc, int from, int to, Fn fn) {
    bool any = false;
    for (QTextBlock b = doc.findBlock(from); b.isValid() && b.position() < to; b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.position() + f.length() <= from || f.position() >= to)
                continue;
            any = true;
            if (!fn(f.charFormat()))
                return true;
        }
    }
    return any;
}

// Block margins are kept in the units the RTF reader and writer use for them.
double twipsToLayoutUnits(int twips) {
    return rtf::BlockUnitsFromTwips(twips);
}

int layoutUnitsToTwips(double units) {
    return rtf::TwipsFromBlockUnits(units);
}

int alignmentValue(Qt::Alignment a) {
    if (a & Qt::AlignHCenter)
        return AlignCenter;
    if ((a & Qt::AlignRight) && !(a & Qt::AlignLeft))
        return AlignRight;
    return AlignLeft;
}

} // namespace

TriState RichTextBox::selTriState(const std::function<bool(const QTextCharFormat&)>& test) const {
    const QTextCursor c = textCursor();
    bool on = false, off = false;
    const bool any =
        forEachFormat(*document(), c.selectionStart(), c.selectionEnd(), [&](const QTextCharFormat& f) {
            (test(f) ? on : off) = true;
            return !(on && off);
        });
    if (!any)
        return test(insertionFormat()) ? TriState::On : TriState::Off;
    return on && off ? TriState::Mixed : (on ? TriState::On : TriState::Off);
}

template <class T>
std::optional<T> RichTextBox::selCommon(const std::function<T(const QTextCharFormat&)>& get) const {
    const QTextCursor c = textCursor();
    std::optional<T> value;
    bool mixed = false;
    const bool any =
        forEachFormat(*document(), c.selectionStart(), c.selectionEnd(), [&](const QTextCharFormat& f) {
            const T v = get(f);
            if (value && !(*value == v))
                mixed = true;
            value = v;
            return !mixed;
        });
    if (!any)
        return get(insertionFormat());
    return mixed ? std::nullopt : value;
}

template <class T>
std::optional<T> RichTextBox::selBlockCommon(const std::function<T(const QTextBlockFormat&)>& get) const {
    const QTextCursor c = textCursor();
    const QTextBlock last = document()->findBlock(c.selectionEnd());
    std::optional<T> value;
    for (QTextBlock b = document()->findBlock(c.selectionStart()); b.isValid(); b = b.next()) {
        const T v = get(b.blockFormat());
        if (value && !(*value == v))
            return std::nullopt;
        value = v;
        if (b == last)
            break;
    }
    return value;
}

void RichTextBox::mergeSelFormat(const QTextCharFormat& format) {
    QTextCursor c = textCursor();
    c.mergeCharFormat(format);
    setTextCursor(c);
}

void RichTextBox::mergeSelBlockFormat(const std::function<void(QTextBlockFormat&)>& change) {
    QTextCursor c = textCursor();
    const QTextBlock last = document()->findBlock(c.selectionEnd());
    for (QTextBlock b = document()->findBlock(c.selectionStart()); b.isValid(); b = b.next()) {
        QTextBlockFormat f = b.blockFormat();
        change(f);
        QTextCursor(b).setBlockFormat(f);
        if (b == last)
            break;
    }
}

TriState RichTextBox::SelBold() const {
    return selTriState([](const QTextCharFormat& f) { return f.fontWeight() >= QFont::DemiBold; });
}

void RichTextBox::setSelBold(bool on) {
    QTextCharFormat f;
    f.setFontWeight(on ? QFont::Bold : QFont::Normal);
    mergeSelFormat(f);
}

TriState RichTextBox::SelItalic() const {
    return selTriState([](const QTextCharFormat& f) { return f.fontItalic(); });
}

void RichTextBox::setSelItalic(bool on) {
    QTextCharFormat f;
    f.setFontItalic(on);
    mergeSelFormat(f);
}

TriState RichTextBox::SelUnderline() const {
    return selTriState([](const QTextCharFormat& f) { return f.fontUnderline(); });
}

void RichTextBox::setSelUnderline(bool on) {
    QTextCharFormat f;
    f.setFontUnderline(on);
    mergeSelFormat(f);
}

TriState RichTextBox::SelStrikeThru() const {
    return selTriState([](const QTextCharFormat& f) { return f.fontStrikeOut(); });
}

void RichTextBox::setSelStrikeThru(bool on) {
    QTextCharFormat f;
    f.setFontStrikeOut(on);
    mergeSelFormat(f);
}

std::optional<long> RichTextBox::SelColor() const {
    const long automatic = ColorToOle(palette().color(QPalette::Text));
    return selCommon<long>([automatic](const QTextCharFormat& f) {
        return f.foreground().style() == Qt::NoBrush ? automatic : ColorToOle(f.foreground().color());
    });
}

void RichTextBox::setSelColor(long oleColor) {
    QTextCharFormat f;
    f.setForeground(OleToColor(oleColor));
    mergeSelFormat(f);
}

std::optional<QString> RichTextBox::SelFontName() const {
    const QString fallback = document()->defaultFont().family();
    return selCommon<QString>([&fallback](const QTextCharFormat& f) {
        const QString name = rtf::FaceName(f);
        return name.isEmpty() ? fallback : name;
    });
}

void RichTextBox::setSelFontName(const QString& name) {
    QTextCharFormat f;
    rtf::SetFaceName(f, name);
    mergeSelFormat(f);
}

std::optional<double> RichTextBox::SelFontSize() const {
    const double fallback = document()->defaultFont().pointSizeF();
    return selCommon<double>([fallback](const QTextCharFormat& f) {
        return f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize() : fallback;
    });
}

void RichTextBox::setSelFontSize(double points) {
    if (points <= 0)
        return;
    QTextCharFormat f;
    f.setFontPointSize(points);
    mergeSelFormat(f);
}

// The indent is where a paragraph's first line starts; a hanging first line keeps its
// offset to the lines below it.
std::optional<int> RichTextBox::SelIndent() const {
    return selBlockCommon<int>(
        [](const QTextBlockFormat& f) { return layoutUnitsToTwips(f.leftMargin() + f.textIndent()); });
}

void RichTextBox::setSelIndent(int twips) {
    const double units = twipsToLayoutUnits(twips);
    mergeSelBlockFormat([units](QTextBlockFormat& f) { f.setLeftMargin(units - f.textIndent()); });
}

std::optional<int> RichTextBox::SelAlignment() const {
    return selBlockCommon<int>([](const QTextBlockFormat& f) { return alignmentValue(f.alignment()); });
}

void RichTextBox::setSelAlignment(int alignment) {
    const Qt::Alignment a = alignment == AlignCenter  ? Qt::AlignHCenter
                            : alignment == AlignRight ? (Qt::AlignRight | Qt::AlignAbsolute)
                                                      : (Qt::AlignLeft | Qt::AlignAbsolute);
    mergeSelBlockFormat([a](QTextBlockFormat& f) { f.setAlignment(a); });
}

void RichTextBox::changeSelCase(bool upper) {
    QTextCursor sel = textCursor();
    if (!sel.hasSelection())
        return;
    const int from = sel.selectionStart();
    int to = sel.selectionEnd();
    struct Piece {
        int pos;
        int len;
        QTextCharFormat format;
    };
    std::vector<Piece> pieces;
    for (QTextBlock b = document()->findBlock(from); b.isValid() && b.position() < to; b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const int s = std::max(from, f.position()), e = std::min(to, f.position() + f.length());
            if (s < e)
                pieces.push_back({s, e - s, f.charFormat()});
        }
    }
    // From the end, so that a change of length ("ß" to "SS") does not move the pieces before.
    QTextCursor c(document());
    c.beginEditBlock();
    for (auto p = pieces.rbegin(); p != pieces.rend(); ++p) {
        c.setPosition(p->pos);
        c.setPosition(p->pos + p->len, QTextCursor::KeepAnchor);
        const QString text = c.selectedText();
        const QString changed = upper ? text.toUpper() : text.toLower();
        if (changed == text)
            continue;
        c.insertText(changed, p->format);
        to += int(changed.size()) - p->len;
    }
    c.endEditBlock();
    sel.setPosition(from);
    sel.setPosition(to, QTextCursor::KeepAnchor);
    setTextCursor(sel);
}

} // namespace lumo::ui
