#pragma once

namespace lumo {

// The herb record on the first tab page. The main window calls it whenever a herb is chosen
// in the list; the record composer plugs its implementation in through
// FrmMain::setRecordView.
class HerbRecordView {
public:
    virtual ~HerbRecordView() = default;

    // Shows the herb selected in the list (none selected: empties the record), composes its
    // record into RtfByl and then refills the per-herb lists (FrmMain::RefillHerbLists).
    virtual void UkazBylinu() = 0;
};

} // namespace lumo
