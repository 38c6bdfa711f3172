#pragma once

#include "core/Settings.h"

#include <QSize>
#include <QString>

#include <limits>
#include <variant>
#include <vector>

// The keys of the settings files, bound to the values they hold. One list serves
// reading and writing, so a key can never be read under one name and written under another.
namespace lumo::settings {

struct KeyBinding {
    QString section;
    QString key;
    QString defaultText; // the default in its stored text form
    std::variant<bool*, qint16*, qint32*, float*, QString*> target;
    bool rightTrim = false;
    // The whole numbers a key takes; a number outside does not convert.
    qint32 minimum = std::numeric_limits<qint32>::min();
    qint32 maximum = std::numeric_limits<qint32>::max();

    // Converts text and stores it; false (nothing stored) when it does not convert.
    bool assign(const QString& text) const;
    // The value as it is written to the file.
    QString text() const;
    bool isText() const { return std::holds_alternative<QString*>(target); }
};

// Defaults that depend on the machine.
struct KeyDefaults {
    QString databaseLocation;
    QSize screenTwips;
};

// The main part, in reading order.
std::vector<KeyBinding> MainPartKeys(ProgramSettings& s, const KeyDefaults& defaults);
// The profile part, in reading order. The default of KeyName<i> is the title held now.
// Sizes, colours, indents and positions outside what the settings dialog offers do not convert.
std::vector<KeyBinding> ProfilePartKeys(ProgramSettings& s);
// Gives the sections whose positions are missing or taken twice the positions left over, in
// section order, so that the positions are again a permutation of 1..22.
void RepairSegmentPositions(ProgramSettings& s);
// The same keys in the order they are written (a few keys of [Main] are written elsewhere).
std::vector<KeyBinding> WriteOrder(std::vector<KeyBinding> keys);

} // namespace lumo::settings
