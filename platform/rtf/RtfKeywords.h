#pragma once

#include <QStringView>

// The control words the reader acts on; all others are ignored.
namespace lumo::rtf {

enum class Keyword {
    // document
    AnsiCodePage,
    DefaultFont,
    // destinations
    FontTable,
    ColorTable,
    FontAltName,
    SkipDestination,
    Binary,
    // font table
    FontNumber,
    FontCharset,
    FontFamily,
    // colour table
    Red,
    Green,
    Blue,
    // characters
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    Color,
    Highlight,
    FontSize,
    Superscript,
    Subscript,
    NoSuperSub,
    // paragraphs
    Pard,
    LeftIndent,
    RightIndent,
    FirstIndent,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    SpaceBefore,
    SpaceAfter,
    // text
    Par,
    Line,
    Tab,
    Page,
    Section,
    Cell,
    Row,
    Special,
    Unicode,
    UnicodeSkip,
};

struct KeywordInfo {
    const char* name;
    Keyword kind;
    char16_t ch; // Special: the character; FontFamily: unused
};

// The entry for a control word, or nullptr for words the reader ignores.
const KeywordInfo* FindKeyword(QStringView word);

} // namespace lumo::rtf
