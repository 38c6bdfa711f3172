#include "installer/CVerOS.h"

#include <QFile>
#include <QRegularExpression>

#include <sys/utsname.h>

namespace lumo::setup {

namespace {

// "6.1.0-18-amd64" gives 6, 1, 0: the leading digits of each part.
long leadingNumber(const QString& part) {
    qsizetype n = 0;
    while (n < part.size() && part.at(n).isDigit())
        ++n;
    return part.left(n).toLong();
}

QString distributionName() {
    QFile f(QStringLiteral("/etc/os-release"));
    if (f.open(QIODevice::ReadOnly)) {
        static const QRegularExpression pretty(QStringLiteral("^PRETTY_NAME=\"?([^\"\\n]*)\"?$"),
                                               QRegularExpression::MultilineOption);
        const auto m = pretty.match(QString::fromUtf8(f.readAll()));
        if (m.hasMatch())
            return m.captured(1);
    }
    return QStringLiteral("Linux");
}

} // namespace

void CVerOS::GetOSInfo() {
    utsname u{};
    if (uname(&u) != 0) {
        SetLinux(0, 0, 0, distributionName());
        return;
    }
    const QStringList parts = QString::fromLocal8Bit(u.release).split(u'.');
    SetLinux(leadingNumber(parts.value(0)), leadingNumber(parts.value(1)), leadingNumber(parts.value(2)),
             distributionName());
}

void CVerOS::SetLinux(long major, long minor, long build, const QString& name) {
    m_platform = 4;
    m_platformText = QStringLiteral("LINUX");
    m_version = kLinux;
    m_major = major;
    m_minor = minor;
    m_build = build;
    m_text = name;
}

void CVerOS::Decode(std::uint32_t raw) {
    const long low = LoWord(raw);
    m_major = LoByte(low);
    m_minor = HiByte(low);
    m_build = static_cast<std::int16_t>(HiWord(raw));
    const bool ninetyFive = (raw & 0x80000000U) != 0;
    const auto set = [this](long platform, const char* platformText, long code, const char* text) {
        m_platform = platform;
        m_platformText = QString::fromLatin1(platformText);
        if (code >= 0) {
            m_version = code;
            m_text = QString::fromLatin1(text);
        }
    };
    if (!ninetyFive && m_major == 5) {
        static const char* const names[] = {"Windows 2000", "Windows XP", "Windows Server 2003 family"};
        set(3, "WINDOWS_NT", m_minor <= 2 ? 7 + m_minor : -1, m_minor <= 2 ? names[m_minor] : "");
    } else if (!ninetyFive && m_major == 6) {
        static const char* const names[] = {"Windows Vista", "Windows 7", "Windows 8"};
        set(3, "WINDOWS_NT", m_minor <= 2 ? 10 + m_minor : -1, m_minor <= 2 ? names[m_minor] : "");
    } else if (!ninetyFive) {
        set(3, "WINDOWS_NT", m_major >= 4 ? 6 : 5, m_major >= 4 ? "Windows NT 4.0" : "Windows NT 3.51");
    } else if (m_major == 4 && m_minor == 0) {
        set(2, "WINDOWS", 2, "Windows 95");
    } else if (m_major >= 4) {
        m_build = 0;
        if (m_minor == 10)
            set(2, "WINDOWS", 3, "Windows 98");
        else if (m_minor == 90)
            set(2, "WINDOWS", 4, "Windows ME");
        else
            set(2, "WINDOWS", -1, "");
    } else {
        set(1, "WIN_32s", 0, "Windows 32s, Windows 3.1");
    }
}

} // namespace lumo::setup
