#pragma once

#include <QString>

#include <cstdint>

namespace lumo::setup {

// The operating system's name and version numbers. Windows versions are decoded from
// the value GetVersion answers (kept for the version table's Windows rows); Linux
// fills its own row.
class CVerOS {
public:
    long WinPlatform() const { return m_platform; }
    long WinVersion() const { return m_version; }
    long MajorVersion() const { return m_major; }
    long MinorVersion() const { return m_minor; }
    long BuildNumber() const { return m_build; }
    QString TextVerze() const { return m_text; }
    QString TextPlatformy() const { return m_platformText; }

    // The machine this runs on.
    void GetOSInfo();
    // A Windows GetVersion value.
    void Decode(std::uint32_t raw);
    // Linux: kernel release numbers and the distribution's name (version code 13).
    void SetLinux(long major, long minor, long build, const QString& name);

    static constexpr long kLinux = 13;

private:
    static long LoWord(std::uint32_t v) { return static_cast<long>(v & 0xFFFF); }
    static long HiWord(std::uint32_t v) { return static_cast<long>((v >> 16) & 0xFFFF); }
    static long LoByte(long v) { return v & 0xFF; }
    static long HiByte(long v) { return (v >> 8) & 0xFF; }

    long m_platform = 0;
    long m_version = 0;
    long m_major = 0;
    long m_minor = 0;
    long m_build = 0;
    QString m_text = QStringLiteral("unknown");
    QString m_platformText = QStringLiteral("unknown");
};

} // namespace lumo::setup
