#pragma once

#include <QStringView>

// The control words the reader acts on; all others are ignored.
namespace lumo::rtf {

enum class Keyword {
    // document
    AnsiCodePage,
    CharacterSet, // \mac, \pc, \pca: the code page is in ch
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
    FontCodePage,
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
    char16_t ch; // Special: the character; CharacterSet: the code page
};

// The entry for a control word, or nullptr for words the reader ignores.
const KeywordInfo* FindKeyword(QStringView word);

} // namespace lumo::rtf
