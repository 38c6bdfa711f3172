#include "mainwindow/MainWindowRegistry.h"

#include <vector>

namespace lumo {

namespace {

std::vector<MainWindowHook>& hooks() {
    static std::vector<MainWindowHook> list;
    return list;
}

} // namespace

void RegisterMainWindowHook(MainWindowHook hook) {
    if (hook)
        hooks().push_back(std::move(hook));
}

void ClearMainWindowHooks() {
    hooks().clear();
}

void RunMainWindowHooks(FrmMain& form) {
    for (const MainWindowHook& hook : hooks())
        hook(form);
}

} // namespace lumo
