#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <poll.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <memory>

namespace {

// An X server of its own (no window manager), started once per run.
class Display {
public:
    Display() {
        m_server.start(QStringLiteral("Xvfb"),
                       {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                        QStringLiteral("0"), QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                        QStringLiteral("tcp")});
        if (!m_server.waitForReadyRead(10000))
            return;
        m_name = QStringLiteral(":") + QString::fromLatin1(m_server.readAllStandardOutput().trimmed());
        m_connection = xcb_connect(m_name.toLatin1().constData(), nullptr);
        if (xcb_connection_has_error(m_connection))
            return;
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_connection);
        m_ready = true;
    }
    ~Display() {
        if (m_connection)
            xcb_disconnect(m_connection);
        m_server.terminate();
        m_server.waitForFinished(5000);
    }
    bool ready() const { return m_ready; }
    QString name() const { return m_name; }

    // Waits until a top-level window whose title contains title is mapped.
    bool waitForMapped(const QByteArray& title, int timeoutMs) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        pollfd fd{xcb_get_file_descriptor(m_connection), POLLIN, 0};
        while (std::chrono::steady_clock::now() < deadline) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
                const bool mapped =
                    (event->response_type & 0x7f) == XCB_MAP_NOTIFY &&
                    titleOf(reinterpret_cast<xcb_map_notify_event_t*>(event)->window).contains(title);
                std::free(event);
                if (mapped)
                    return true;
            }
            poll(&fd, 1, 50);
        }
        return false;
    }

private:
    QByteArray titleOf(xcb_window_t window) {
        const auto cookie =
            xcb_get_property(m_connection, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
        xcb_get_property_reply_t* reply = xcb_get_property_reply(m_connection, cookie, nullptr);
        if (!reply)
            return {};
        const QByteArray title(static_cast<const char*>(xcb_get_property_value(reply)),
                               xcb_get_property_value_length(reply));
        std::free(reply);
        return title;
    }

    QProcess m_server;
    QString m_name;
    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = 0;
    bool m_ready = false;
};

Display& display() {
    static Display d;
    return d;
}

// Process start until the window titled title is mapped, as the user waits for it.
void measureStart(benchmark::State& state, const QString& program, const QByteArray& title,
                  const QProcessEnvironment& env, const QStringList& arguments = {}) {
    Display& d = display();
    if (!d.ready()) {
        state.SkipWithError("Xvfb is not available");
        return;
    }
    QProcessEnvironment e = env;
    e.insert(QStringLiteral("DISPLAY"), d.name());
    e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(e);
        const auto start = std::chrono::steady_clock::now();
        process.start(program, arguments);
        const bool mapped = d.waitForMapped(title, 20000);
        const auto end = std::chrono::steady_clock::now();
        process.kill();
        process.waitForFinished(5000);
        if (!mapped) {
            state.SkipWithError("the window was not mapped");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
}

void BM_BareQtWindowMapped(benchmark::State& state) {
    measureStart(state, QStringLiteral(LUMO_BARE_WINDOW), "BareWindow",
                 QProcessEnvironment::systemEnvironment());
}
BENCHMARK(BM_BareQtWindowMapped)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// The same bare window holding one line of text: the fonts' share of any window with words.
void BM_BareQtWindowWithTextMapped(benchmark::State& state) {
    measureStart(state, QStringLiteral(LUMO_BARE_WINDOW), "BareWindow",
                 QProcessEnvironment::systemEnvironment(), {QStringLiteral("text")});
}
BENCHMARK(BM_BareQtWindowWithTextMapped)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// LUMO on a copy of the sample database in a program folder of its own, made once per run.
const QProcessEnvironment& lumoEnvironment() {
    static QTemporaryDir dir;
    static const QProcessEnvironment env = [] {
        const QString data = QStringLiteral(LUMO_BUILD_DIR_PATH "/data/");
        for (const char* file : {"Lumo.mdb", "Lumo.INF"})
            QFile::copy(data + QLatin1String(file), dir.filePath(QLatin1String(file)));
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert(QStringLiteral("LUMO_PROGRAM_DIR"), dir.path());
        e.insert(QStringLiteral("TMPDIR"), dir.path()); // its own instance lock
        return e;
    }();
    return env;
}

// From process start to the main window mapped.
void BM_LumoMainWindowMapped(benchmark::State& state) {
    measureStart(state, QStringLiteral(LUMO_EXECUTABLE), "Zefirak", lumoEnvironment());
}
BENCHMARK(BM_LumoMainWindowMapped)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// From process start to the first window the user sees, the splash (it has no title).
void BM_LumoSplashMapped(benchmark::State& state) {
    measureStart(state, QStringLiteral(LUMO_EXECUTABLE), "", lumoEnvironment());
}
BENCHMARK(BM_LumoSplashMapped)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace
