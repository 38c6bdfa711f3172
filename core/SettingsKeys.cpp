#include "core/SettingsKeys.h"

#include "core/SettingsText.h"
#include "core/SetupLogic.h"
#include "platform/text/AnsiText.h"

#include <algorithm>
#include <array>
#include <type_traits>

namespace lumo::settings {

namespace {

template <class... Ts> struct Overloaded : Ts... { using Ts::operator()...; };
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

// Collects the bindings of one section; the default is given as a value and kept as text.
class Section {
public:
    Section(std::vector<KeyBinding>& out, QString name) : m_out(out), m_name(std::move(name)) {}

    void add(const QString& key, bool& v, bool def) { push(key, &v, boolText(def)); }
    void add(const QString& key, qint16& v, qint16 def) { push(key, &v, QString::number(def)); }
    void add(const QString& key, qint32& v, qint32 def) { push(key, &v, QString::number(def)); }
    template <typename Int> void add(const QString& key, Int& v, Int def, qint32 minimum, qint32 maximum) {
        add(key, v, def);
        m_out.back().minimum = minimum;
        m_out.back().maximum = maximum;
    }
    void add(const QString& key, float& v, float def) { push(key, &v, singleText(def)); }
    void add(const QString& key, QString& v, const QString& def, bool rightTrim = false) {
        push(key, &v, def);
        m_out.back().rightTrim = rightTrim;
    }

private:
    template <typename T> void push(const QString& key, T* target, QString defaultText) {
        m_out.push_back(KeyBinding{m_name, key, std::move(defaultText), target, false});
    }

    std::vector<KeyBinding>& m_out;
    QString m_name;
};

template <typename T> bool store(T* target, const std::optional<T>& value) {
    if (!value)
        return false;
    *target = *value;
    return true;
}

template <typename Int>
std::optional<Int> inRange(const std::optional<Int>& value, qint32 minimum, qint32 maximum) {
    if (!value || *value < minimum || *value > maximum)
        return std::nullopt;
    return value;
}

constexpr qint32 kLastColor = 15;    // the 16-colour palette
constexpr qint32 kMaxIndent = 32767; // twips, as the settings dialog stores them

// Moves the key named `key` to just after the key named `after`.
void moveAfter(std::vector<KeyBinding>& keys, const QString& key, const QString& after) {
    const auto byName = [](const QString& name) {
        return [&name](const KeyBinding& k) { return k.key == name; };
    };
    auto from = std::find_if(keys.begin(), keys.end(), byName(key));
    if (from == keys.end())
        return;
    KeyBinding moved = *from;
    keys.erase(from);
    auto to = std::find_if(keys.begin(), keys.end(), byName(after));
    keys.insert(to == keys.end() ? to : to + 1, std::move(moved));
}

} // namespace

bool KeyBinding::assign(const QString& text) const {
    return std::visit(Overloaded{
                          [&](bool* t) { return store(t, parseBool(text)); },
                          [&](qint16* t) { return store(t, inRange(parseInteger(text), minimum, maximum)); },
                          [&](qint32* t) { return store(t, inRange(parseLong(text), minimum, maximum)); },
                          [&](float* t) { return store(t, parseSingle(text)); },
                          [&](QString* t) {
                              *t = rightTrim ? text::rightTrimBlanks(text) : text;
                              return true;
                          },
                      },
                      target);
}

QString KeyBinding::text() const {
    return std::visit(Overloaded{
                          [](bool* t) { return boolText(*t); },
                          [](qint16* t) { return QString::number(*t); },
                          [](qint32* t) { return QString::number(*t); },
                          [](float* t) { return singleText(*t); },
                          [&](QString* t) { return rightTrim ? text::rightTrimBlanks(*t) : *t; },
                      },
                      target);
}

std::vector<KeyBinding> MainPartKeys(ProgramSettings& s, const KeyDefaults& d) {
    std::vector<KeyBinding> keys;
    Section main(keys, QStringLiteral("Main"));
    main.add(QStringLiteral("DatabaseLocation"), s.DatabaseLocation, d.databaseLocation);
    main.add(QStringLiteral("AISLPCmd"), s.AISLPCmd, QString());
    main.add(QStringLiteral("SyncAISLP"), s.SyncAISLP, false);
    main.add(QStringLiteral("EscEnabled"), s.EscEnabled, true);
    main.add(QStringLiteral("MultipleRun"), s.MultipleRun, false);
    main.add(QStringLiteral("InsertLine"), s.InsertLine, true);
    main.add(QStringLiteral("ProfilNumber"), s.ProfilNumber, qint16(0));

    Section window(keys, QStringLiteral("MainWindow"));
    window.add(QStringLiteral("Left"), s.Left, qint32(0));
    window.add(QStringLiteral("Top"), s.Top, qint32(0));
    window.add(QStringLiteral("Width"), s.Width, qint32(std::max(0, d.screenTwips.width())));
    window.add(QStringLiteral("Height"), s.Height, qint32(std::max(0, d.screenTwips.height())));
    window.add(QStringLiteral("LeftSplit"), s.LeftSplit, qint32(0));

    Section page(keys, QStringLiteral("Page"));
    page.add(QStringLiteral("LeftMargin"), s.LeftMargin, 10.0f);
    page.add(QStringLiteral("TopMargin"), s.TopMargin, 10.0f);
    page.add(QStringLiteral("RightMargin"), s.RightMargin, 10.0f);
    page.add(QStringLiteral("BottomMargin"), s.BottomMargin, 10.0f);

    Section print(keys, QStringLiteral("Print"));
    print.add(QStringLiteral("DisableColors"), s.DisableColors, true);

    Section profiles(keys, QStringLiteral("Profiles"));
    for (int n = 1; n <= kProfileCount; ++n) {
        const QString suffix = QString::number(n);
        profiles.add(QStringLiteral("Name") + suffix, s.ProfileNames[n], QStringLiteral("Profil ") + suffix,
                     true);
    }
    return keys;
}

std::vector<KeyBinding> ProfilePartKeys(ProgramSettings& s) {
    std::vector<KeyBinding> keys;
    Section main(keys, QStringLiteral("Main"));
    main.add(QStringLiteral("DisableSegmentSel"), s.DisableSegmentSel, false);
    main.add(QStringLiteral("EnableSegmentDef"), s.EnableSegmentDef, false);
    main.add(QStringLiteral("FontName"), s.FontName, QStringLiteral("Arial CE"));
    main.add(QStringLiteral("SafeText"), s.SafeText, false);
    main.add(QStringLiteral("Language"), s.Language, qint32(1));
    main.add(QStringLiteral("NamesLang"), s.NamesLang, qint16(1));
    main.add(QStringLiteral("LogLevel"), s.LogLevel, qint32(0));
    main.add(QStringLiteral("UpdateProfil"), s.UpdateProfil, false);

    Section segment(keys, QStringLiteral("Segment"));
    for (int i = 1; i <= kSegmentCount; ++i) {
        SegmentSettings& seg = s.Segments[i];
        const QString n = QString::number(i);
        segment.add(QStringLiteral("Enabled") + n, seg.Enabled, true);
        segment.add(QStringLiteral("Index") + n, seg.Index, qint16(i), 1, kSegmentCount);
        segment.add(QStringLiteral("TitleSize") + n, seg.TitleSize, qint16(36), setup::kMinSize,
                    setup::kMaxSize);
        segment.add(QStringLiteral("TitleColor") + n, seg.TitleColor, qint32(3), 0, kLastColor);
        segment.add(QStringLiteral("TextSize") + n, seg.TextSize, qint16(24), setup::kMinSize,
                    setup::kMaxSize);
        segment.add(QStringLiteral("TextColor") + n, seg.TextColor, qint32(0), 0, kLastColor);
        segment.add(QStringLiteral("LeftIndent") + n, seg.LeftIndent, qint32(240), 0, kMaxIndent);
        // A file without the title keeps the one held now.
        segment.add(QStringLiteral("KeyName") + n, s.SegmentTitles[i], s.SegmentTitles[i], true);
    }

    Section names(keys, QStringLiteral("Names"));
    names.add(QStringLiteral("TitleSize"), s.Names.TitleSize, qint16(40), setup::kMinSize, setup::kMaxSize);
    names.add(QStringLiteral("TitleColor"), s.Names.TitleColor, qint32(4), 0, kLastColor);
    names.add(QStringLiteral("SubTitleSize"), s.Names.SubTitleSize, qint16(24), setup::kMinSize,
              setup::kMaxSize);
    names.add(QStringLiteral("SubTitleColor"), s.Names.SubTitleColor, qint32(1), 0, kLastColor);
    names.add(QStringLiteral("NameSize"), s.Names.NameSize, qint16(24), setup::kMinSize, setup::kMaxSize);
    names.add(QStringLiteral("NameColor"), s.Names.NameColor, qint32(0), 0, kLastColor);
    names.add(QStringLiteral("LeftIndent"), s.Names.LeftIndent, qint32(240), 0, kMaxIndent);
    return keys;
}

void RepairSegmentPositions(ProgramSettings& s) {
    std::array<bool, kSegmentCount + 1> taken{};
    std::vector<int> unplaced;
    for (int i = 1; i <= kSegmentCount; ++i) {
        const int p = s.Segments[i].Index;
        if (p >= 1 && p <= kSegmentCount && !taken[size_t(p)])
            taken[size_t(p)] = true;
        else
            unplaced.push_back(i);
    }
    int free = 1;
    for (int i : unplaced) {
        while (taken[size_t(free)])
            ++free;
        taken[size_t(free)] = true;
        s.Segments[i].Index = qint16(free);
    }
}

std::vector<KeyBinding> WriteOrder(std::vector<KeyBinding> keys) {
    // [Main] is written in a different order from the one it is read in; the files have
    // always looked like this, so keep it.
    moveAfter(keys, QStringLiteral("MultipleRun"), QStringLiteral("ProfilNumber"));
    moveAfter(keys, QStringLiteral("DisableSegmentSel"), QStringLiteral("NamesLang"));
    return keys;
}

} // namespace lumo::settings
