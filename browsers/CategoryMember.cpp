#include "browsers/CategoryMember.h"

#include "mainwindow/FrmMain.h"

namespace lumo {

const CategoryMember& ActiveSubstances() {
    static const CategoryMember m{
        "UL",
        QStringLiteral("UcinneLatky"),
        {QStringLiteral("UcLatkyByliny"), QStringLiteral("IdxUcLatky")},
        &FrmMain::LvUL,
        &FrmMain::TbUL,
        2,
        MarkFamily::ActiveSubstances,
        &FrmMain::CurrentUL,
        &FrmMain::MarkedUL,
        &FrmMain::MarkedULCount,
        QStringLiteral("Byliny s látkou "),
        QStringLiteral("Byliny s látkami "),
        QStringLiteral("Byliny s látkami "),
        "mnuSearchUL",
        {"mnuULOznac", "mnuD3", "mnuULAct", "mnuULSel", "mnuULAll", "mnuULNone"},
        QStringLiteral("Byliny s vybranou látkou"),
        QStringLiteral("Byliny s označenými látkami"),
        QStringLiteral("Byliny se všemi látkami"),
        QStringLiteral("Vyhledá byliny s označenou látkou"),
        QStringLiteral("Vyhledá byliny pro označené látky"),
        QStringLiteral("Vyhledá byliny pro všechny látky"),
        {11, "Nelze načíst účinné látky, kontaktujte technickou podporu", "Nelze načíst účinné látky",
         "LUMO-FrmMain-NactiUL-"},
        {15, "Databáze neobsahuje názvy účinných látek, kontaktujte technickou podporu",
         "Nelze načíst názvy účinných látek", "LUMO-FrmMain-NactiNazvyUL"},
        {16, "Nelze načíst názvy účinných látak, kontaktujte technickou podporu",
         "Nelze načíst názvy účinných látek", "LUMO-FrmMain-NactiNazvyUL-"},
        {17, "Nelze načíst popis účinné látky, kontaktujte technickou podporu",
         "Nelze načíst popis účinné látky", "LUMO-FrmMain-NactiPopisUL-"},
    };
    return m;
}

const CategoryMember& IndicationGroups() {
    static const CategoryMember m{
        "IndSk",
        QStringLiteral("IndikacniSkupiny"),
        {QStringLiteral("IndSkupByliny"), QStringLiteral("IdxIndSkup")},
        &FrmMain::LvIndSk,
        &FrmMain::TbIndSk,
        3,
        MarkFamily::IndicationGroups,
        &FrmMain::CurrentIndSk,
        &FrmMain::MarkedIndSk,
        &FrmMain::MarkedIndSkCount,
        QStringLiteral("Byliny s indikační skupinou "),
        QStringLiteral("Byliny s indikačními skupinami "),
        QStringLiteral("Byliny s indikačnímu skupinami "),
        "mnuIndSk",
        {"mnuIndSkOznac", "mnuD4", "mnuIndSkAct", "mnuIndSkSel", "mnuIndSkAll", "mnuIndSkNone"},
        QStringLiteral("Byliny s vybranou skupinou"),
        QStringLiteral("Byliny s označenými skupinami"),
        QStringLiteral("Byliny se všemi skupinami"),
        QStringLiteral("Vyhledá byliny pro vybranou skupinu"),
        QStringLiteral("Vyhledá byliny pro označené skupiny"),
        QStringLiteral("Vyhledá byliny pro všechny skupiny"),
        {12, "Nelze načíst indikační skupiny, kontaktujte technickou podporu",
         "Nelze načíst indikační skupiny", "LUMO-FrmMain-NactiIndSk-"},
        {13, "Databáze neobsahuje názvy indikačních skupin, kontaktujte technickou podporu",
         "Nelze načíst názvy indikačních skupin", "LUMO-FrmMain-NactiNazvyIndSk"},
        {14, "Nelze načíst názvy indikačních skupin, kontaktujte technickou podporu",
         "Nelze načíst názvy indikačních skupin", "LUMO-FrmMain-NactiNazvyIndSk-"},
        {18, "Nelze načíst popis indikačních skupin, kontaktujte technickou podporu",
         "Nelze načíst popis indikačních skupin", "LUMO-FrmMain-NactiPopisIndSk-"},
    };
    return m;
}

const CategoryMember& Combinations() {
    static const CategoryMember m{
        "Komb",
        QStringLiteral("Kombinace"),
        {QStringLiteral("KombinaceByliny"), QStringLiteral("IdxKombinace")},
        &FrmMain::LvKomb,
        &FrmMain::TbKomb,
        6,
        MarkFamily::Combinations,
        &FrmMain::CurrentKomb,
        &FrmMain::MarkedKomb,
        &FrmMain::MarkedKombCount,
        QStringLiteral("Byliny s kombinací "),
        QStringLiteral("Byliny s kombinacemi "),
        QStringLiteral("Byliny s kombinacemi "),
        "mnuKomb",
        {"mnuKombOznac", "mnuD6", "mnuKombAct", "mnuKombSel", "mnuKombAll", "mnuKombNone"},
        QStringLiteral("Byliny s aktuální kombinací"),
        QStringLiteral("Byliny s označenými kombinacemi"),
        QStringLiteral("Byliny se všemi kombinacemi"),
        QStringLiteral("Vyhledá byliny pro vybranou kombinaci"),
        QStringLiteral("Vyhledá byliny pro označené kombinace"),
        QStringLiteral("Vyhledá byliny pro všechny kombinace"),
        {31, "Nelze načíst kombinace, kontaktujte technickou podporu", "Nelze načíst kombinace",
         "LUMO-FrmMain-NactiKombinace-"},
        {32, "Databáze neobsahuje názvy kombinací, kontaktujte technickou podporu",
         "Nelze načíst názvy kombinací", "LUMO-FrmMain-NactiNazvyKomb"},
        {34, "Nelze načíst názvy kombinací, kontaktujte technickou podporu", "Nelze načíst názvy kombinací",
         "LUMO-FrmMain-NactiNazvyKomb-"},
        {35, "Nelze načíst popis kombinace, kontaktujte technickou podporu", "Nelze načíst popis kombinace",
         "LUMO-FrmMain-NactiPopisKomb-"},
    };
    return m;
}

} // namespace lumo
