#include "core/CAISLP.h"

#include "core/MvawCom.h"
#include "platform/err/VbError.h"
#include "platform/text/AnsiText.h"

#include <QLibrary>

namespace lumo {

namespace {

constexpr long kCannotCreateObject = 429;

// The plug-in's table; null when the library does not load or is of another version.
// The library stays loaded for the rest of the run, as a COM server would.
const MvawComInterface* loadInterface(const QString& libraryPath, QString* error) {
    QLibrary library(libraryPath);
    if (!library.load()) {
        if (error)
            *error = library.errorString();
        return nullptr;
    }
    const auto entry = reinterpret_cast<MvawComEntry>(library.resolve(MVAWCOM_ENTRY));
    const MvawComInterface* com = entry ? entry() : nullptr;
    if (!com || com->version != MVAWCOM_INTERFACE_VERSION || !com->create || !com->release || !com->open ||
        !com->close || !com->header || !com->data || !com->request) {
        if (error)
            *error = QStringLiteral("Knihovna %1 nenabízí rozhraní AISLP").arg(libraryPath);
        return nullptr;
    }
    return com;
}

} // namespace

CAISLP::CAISLP(const QString& libraryPath) {
    QString error;
    m_com = loadInterface(libraryPath, &error);
    if (m_com)
        m_object = m_com->create();
    if (!m_object) {
        m_com = nullptr;
        err::Raise(kCannotCreateObject, QStringLiteral("CAISLP"),
                   error.isEmpty() ? QString() : QStringLiteral("Nelze vytvořit objekt AISLP: ") + error);
    }
}

CAISLP::~CAISLP() {
    if (m_com && m_object)
        m_com->release(m_object);
}

bool CAISLP::LibraryLoads(const QString& libraryPath) {
    return loadInterface(libraryPath, nullptr) != nullptr;
}

void CAISLP::Location(const QString& value) {
    m_location = value;
    testConnection();
}

long CAISLP::open() {
    int32_t result = -1;
    m_com->open(m_object, m_location.toUtf8().constData(), &result);
    return result;
}

void CAISLP::testConnection() {
    m_pripojen = open() == 0;
    if (m_pripojen)
        m_com->close(m_object);
}

long CAISLP::OpenAISLP() {
    return m_pripojen ? open() : 0;
}

void CAISLP::CloseAISLP() {
    m_com->close(m_object);
}

std::optional<QByteArray> CAISLP::GetData(const QString& Request) {
    if (!m_pripojen)
        return std::nullopt;
    if (open() != 0)
        return std::nullopt;
    std::optional<QByteArray> data;
    int32_t result = -1;
    m_com->request(m_object, Request.toUtf8().constData(), &result);
    if (result == 0) {
        const unsigned char* bytes = nullptr;
        size_t count = 0;
        result = -1;
        m_com->data(m_object, &bytes, &count, &result);
        data = bytes ? QByteArray(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(count))
                     : QByteArray();
        if (result == 0) {
            const char* header = nullptr;
            m_com->header(m_object, &header);
            m_header = header ? QString::fromUtf8(header) : QString();
        }
    }
    // Closed after every open that succeeded, whatever the later steps gave.
    m_com->close(m_object);
    return data;
}

QString CAISLP::BytesToText(const std::optional<QByteArray>& data) {
    if (!data || data->isEmpty())
        return QString();
    return text::decodeAnsi(data->left(data->size() - 1));
}

std::optional<QByteArray> CAISLP::Picture(const QString& a, const QString& b) {
    return GetData(QStringLiteral("dPi000000") + a + b);
}

QString CAISLP::Letak(const QString& a, const QString& b) {
    return BytesToText(GetData(QStringLiteral("dLl000000") + a + b));
}

QString CAISLP::Clanek(const QString& a, const QString& b) {
    return BytesToText(GetData(QStringLiteral("dAK000000") + a + b));
}

QString CAISLP::ClanekPFA(const QString& code) {
    return BytesToText(GetData(QStringLiteral("pAr000000") + code));
}

} // namespace lumo
