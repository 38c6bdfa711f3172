#pragma once

#include "installer/EnvironmentTest.h"

#include <cstdint>
#include <optional>

namespace lumo::test {

// The Windows machines of the version table: a GetVersion value and the component answers.
class FakeProbe : public setup::EnvProbe {
public:
    FakeProbe(std::optional<std::uint32_t> windows, bool dcom, QString ado, QString jet)
        : m_windows(windows), m_dcom(dcom), m_ado(std::move(ado)), m_jet(std::move(jet)) {}
    void GetOSInfo(setup::CVerOS& os) override {
        if (m_windows)
            os.Decode(*m_windows);
        else
            os.SetLinux(6, 1, 0, QStringLiteral("Debian GNU/Linux 12 (bookworm)"));
    }
    bool DCOMInstalled() override { return m_dcom; }
    QString ADOVersion() override { return m_ado; }
    QString JetVersion() override { return m_jet; }

private:
    std::optional<std::uint32_t> m_windows;
    bool m_dcom;
    QString m_ado;
    QString m_jet;
};

} // namespace lumo::test
