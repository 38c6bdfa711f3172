#include "platform/rtf/RtfKeywords.h"

#include <QHash>
#include <QLatin1StringView>

#include <algorithm>
#include <vector>

namespace lumo::rtf {

namespace {

using K = Keyword;

// Destinations that hold no text of the document (or only text that would garble it).
constexpr const char* kSkipped[] = {
    "annotation",
    "atnauthor",
    "atnid",
    "author",
    "bkmkend",
    "bkmkstart",
    "buptim",
    "comment",
    "company",
    "creatim",
    "datastore",
    "docvar",
    "doccomm",
    "filetbl",
    "fldinst",
    "fontemb",
    "fontfile",
    "footer",
    "footerf",
    "footerl",
    "footerr",
    "footnote",
    "generator",
    "header",
    "headerf",
    "headerl",
    "headerr",
    "info",
    "keywords",
    "latentstyles",
    "listoverridetable",
    "listtable",
    "mmathPr",
    "nonshppict",
    "objclass",
    "objdata",
    "objname",
    "operator",
    "pgdsctbl",
    "pict",
    "pn",
    "pntxta",
    "pntxtb",
    "printim",
    "private",
    "revtbl",
    "revtim",
    "rsidtbl",
    "stylesheet",
    "subject",
    "tc",
    "template",
    "themedata",
    "title",
    "txe",
    "userprops",
    "xe",
    "xmlnstbl",
    "colorschememapping",
};

constexpr KeywordInfo kWords[] = {
    {"ansicpg", K::AnsiCodePage, 0},
    {"mac", K::CharacterSet, 10000},
    {"pc", K::CharacterSet, 437},
    {"pca", K::CharacterSet, 850},
    {"deff", K::DefaultFont, 0},
    {"fonttbl", K::FontTable, 0},
    {"colortbl", K::ColorTable, 0},
    {"fname", K::FontAltName, 0},
    {"falt", K::FontAltName, 0},
    {"bin", K::Binary, 0},
    {"f", K::FontNumber, 0},
    {"fcharset", K::FontCharset, 0},
    {"cpg", K::FontCodePage, 0},
    {"fnil", K::FontFamily, 0},
    {"froman", K::FontFamily, 0},
    {"fswiss", K::FontFamily, 0},
    {"fmodern", K::FontFamily, 0},
    {"fscript", K::FontFamily, 0},
    {"fdecor", K::FontFamily, 0},
    {"ftech", K::FontFamily, 0},
    {"fbidi", K::FontFamily, 0},
    {"red", K::Red, 0},
    {"green", K::Green, 0},
    {"blue", K::Blue, 0},
    {"plain", K::Plain, 0},
    {"b", K::Bold, 0},
    {"i", K::Italic, 0},
    {"ul", K::Underline, 0},
    {"uld", K::Underline, 0},
    {"uldash", K::Underline, 0},
    {"uldashd", K::Underline, 0},
    {"uldashdd", K::Underline, 0},
    {"uldb", K::Underline, 0},
    {"ulhwave", K::Underline, 0},
    {"ulldash", K::Underline, 0},
    {"ulth", K::Underline, 0},
    {"ulthd", K::Underline, 0},
    {"ulthdash", K::Underline, 0},
    {"ulw", K::Underline, 0},
    {"ulwave", K::Underline, 0},
    {"ululdbwave", K::Underline, 0},
    {"ulnone", K::UnderlineNone, 0},
    {"strike", K::Strike, 0},
    {"striked", K::Strike, 0},
    {"cf", K::Color, 0},
    {"highlight", K::Highlight, 0},
    {"cb", K::Highlight, 0},
    {"chcbpat", K::Highlight, 0},
    {"fs", K::FontSize, 0},
    {"super", K::Superscript, 0},
    {"sub", K::Subscript, 0},
    {"nosupersub", K::NoSuperSub, 0},
    {"pard", K::Pard, 0},
    {"li", K::LeftIndent, 0},
    {"lin", K::LeftIndent, 0},
    {"ri", K::RightIndent, 0},
    {"rin", K::RightIndent, 0},
    {"fi", K::FirstIndent, 0},
    {"ql", K::AlignLeft, 0},
    {"qc", K::AlignCenter, 0},
    {"qr", K::AlignRight, 0},
    {"qj", K::AlignJustify, 0},
    {"qd", K::AlignJustify, 0},
    {"sb", K::SpaceBefore, 0},
    {"sa", K::SpaceAfter, 0},
    {"par", K::Par, 0},
    {"line", K::Line, 0},
    {"tab", K::Tab, 0},
    {"page", K::Page, 0},
    {"sect", K::Section, 0},
    {"cell", K::Cell, 0},
    {"nestcell", K::Cell, 0},
    {"row", K::Row, 0},
    {"u", K::Unicode, 0},
    {"uc", K::UnicodeSkip, 0},
    {"emdash", K::Special, 0x2014},
    {"endash", K::Special, 0x2013},
    {"bullet", K::Special, 0x2022},
    {"lquote", K::Special, 0x2018},
    {"rquote", K::Special, 0x2019},
    {"ldblquote", K::Special, 0x201C},
    {"rdblquote", K::Special, 0x201D},
    {"emspace", K::Special, 0x2003},
    {"enspace", K::Special, 0x2002},
    {"qmspace", K::Special, 0x2005},
    {"zwj", K::Special, 0x200D},
    {"zwnj", K::Special, 0x200C},
    {"zwbo", K::Special, 0x200B},
};

bool lessByName(const KeywordInfo& a, const KeywordInfo& b) {
    return QLatin1StringView(a.name) < QLatin1StringView(b.name);
}

const std::vector<KeywordInfo>& sortedWords() {
    static const std::vector<KeywordInfo> words = [] {
        std::vector<KeywordInfo> all(std::begin(kWords), std::end(kWords));
        for (const char* name : kSkipped)
            all.push_back({name, K::SkipDestination, 0});
        std::sort(all.begin(), all.end(), lessByName);
        return all;
    }();
    return words;
}

} // namespace

const KeywordInfo* FindKeyword(QStringView word) {
    // Looked up for every control word of every document: a hash on the words themselves.
    struct Index {
        std::vector<QString> names; // the keys' storage
        QHash<QStringView, const KeywordInfo*> byName;
    };
    static const Index index = [] {
        Index i;
        const auto& words = sortedWords();
        i.names.reserve(words.size());
        for (const KeywordInfo& info : words)
            i.names.push_back(QString::fromLatin1(info.name));
        for (std::size_t k = 0; k < words.size(); ++k)
            if (!i.byName.contains(QStringView(i.names[k]))) // the first of equal names
                i.byName.insert(QStringView(i.names[k]), &words[k]);
        return i;
    }();
    return index.byName.value(word, nullptr);
}

} // namespace lumo::rtf
