#include "core/ScreenProfile.h"

#include "core/Settings.h"

namespace lumo {

namespace {

struct ScreenProfileSizes {
    qint16 sectionTitle;
    qint16 sectionText;
    qint16 namesTitle;
    qint16 namesSubTitle;
    qint16 names;
};

constexpr ScreenProfileSizes kSizes[3] = {
    {10, 8, 16, 10, 10},
    {12, 10, 20, 12, 12},
    {14, 12, 24, 14, 14},
};

} // namespace

int ChooseScreenProfile(int screenWidthPixels) {
    if (screenWidthPixels < 801)
        return 1;
    if (screenWidthPixels < 1025)
        return 2;
    return 3;
}

bool ApplyScreenProfile(ProgramSettings& s, int profile, const QString& osPlatform) {
    if (profile < 1 || profile > 3)
        return false;
    const ScreenProfileSizes& size = kSizes[profile - 1];
    s.EnableSegmentDef = true;
    s.FontName = QStringLiteral("Arial CE");
    s.SafeText = false;
    s.Language = 1;
    for (int i = 1; i <= kSegmentCount; ++i) {
        SegmentSettings& seg = s.Segments[i];
        seg.Enabled = true;
        seg.Index = qint16(i);
        seg.TitleSize = size.sectionTitle;
        seg.TitleColor = 3;
        seg.TextSize = size.sectionText;
        seg.TextColor = 0;
        seg.LeftIndent = 240;
    }
    s.Names.TitleSize = size.namesTitle;
    s.Names.TitleColor = 4;
    s.Names.SubTitleSize = size.namesSubTitle;
    s.Names.SubTitleColor = 1;
    s.Names.NameSize = size.names;
    s.Names.NameColor = 0;
    s.Names.LeftIndent = 240;
    s.InsertLine = osPlatform == QStringLiteral("Windows 95") || osPlatform == QStringLiteral("Windows 98");
    return true;
}

} // namespace lumo
