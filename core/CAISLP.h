#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

struct MvawComInterface;
struct MvawComObject;

namespace lumo {

// The link to AISLP's communication library: one object of the plug-in, asked for
// documents by request code. Every request opens and closes the AISLP data itself.
class CAISLP {
public:
    // Loads the plug-in at libraryPath and creates its object. Raises 429 when the
    // library cannot be loaded or does not offer the interface.
    explicit CAISLP(const QString& libraryPath);
    ~CAISLP();
    CAISLP(const CAISLP&) = delete;
    CAISLP& operator=(const CAISLP&) = delete;

    // The folder of the AISLP installation (with a trailing separator); setting it
    // tests the connection.
    QString Location() const { return m_location; }
    void Location(const QString& value);
    // The AISLP data opened at Location.
    bool Pripojen() const { return m_pripojen; }
    // Header text of the last document.
    QString Header() const { return m_header; }
    long RetVal() const { return 0; }

    long OpenAISLP();
    void CloseAISLP();
    std::optional<QByteArray> Picture(const QString& a, const QString& b);
    QString Letak(const QString& a, const QString& b);
    QString Clanek(const QString& a, const QString& b);
    // The article about the preparation with this AISLP code.
    QString ClanekPFA(const QString& code);
    // The data of a request; nullopt when not connected or when a step failed.
    std::optional<QByteArray> GetData(const QString& Request);

    // Data bytes as ANSI text; the last byte (the terminator) is not taken.
    static QString BytesToText(const std::optional<QByteArray>& data);

    // Whether the plug-in at libraryPath loads and offers the interface.
    static bool LibraryLoads(const QString& libraryPath);

private:
    void testConnection();
    long open();

    const MvawComInterface* m_com = nullptr;
    MvawComObject* m_object = nullptr;
    QString m_location;
    bool m_pripojen = false;
    QString m_header;
};

} // namespace lumo
