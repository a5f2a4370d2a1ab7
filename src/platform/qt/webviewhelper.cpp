// plumetrack-webview: an off-screen web page driven over standard input and output, one JSON
// object a line.
//   in:  {"op":"load","id":N,"url":"..."}     {"op":"eval","id":N,"script":"..."}
//   out: {"ev":"finished","id":N}             {"ev":"failed","id":N,"error":"..."}
//        {"ev":"unreachable","id":N}          {"ev":"result","id":N,"value":...}
// "unreachable" is a load that failed before anything arrived. The helper ends when its input
// closes.

#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QSocketNotifier>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>

#include <cstdio>
#include <unistd.h>

namespace {

void emitMessage(const QJsonObject &message)
{
    const QByteArray line = QJsonDocument(message).toJson(QJsonDocument::Compact) + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fflush(stdout);
}

// Failures that happen before a response starts to arrive: no connection, no name, no trust,
// nothing answered in time, an empty answer.
bool failedBeforeResponse(const QWebEngineLoadingInfo &info)
{
    switch (info.errorDomain()) {
    case QWebEngineLoadingInfo::ConnectionErrorDomain:
    case QWebEngineLoadingInfo::CertificateErrorDomain:
    case QWebEngineLoadingInfo::DnsErrorDomain:
        return true;
    case QWebEngineLoadingInfo::InternalErrorDomain:
        return info.errorCode() == -7; // timed out
    case QWebEngineLoadingInfo::HttpErrorDomain:
        return info.errorCode() == -324; // empty response
    default:
        return false;
    }
}

// A few words on why nothing arrived, as the program's other sources say it.
QString reasonOf(const QWebEngineLoadingInfo &info)
{
    if (info.errorDomain() == QWebEngineLoadingInfo::DnsErrorDomain)
        return QStringLiteral("host not found");
    if (info.errorDomain() == QWebEngineLoadingInfo::CertificateErrorDomain)
        return QStringLiteral("TLS failure");
    switch (info.errorCode()) {
    case -102:
        return QStringLiteral("connection refused");
    case -7:
    case -118:
        return QStringLiteral("timed out");
    default:
        return info.errorString().toLower();
    }
}

class Helper
{
public:
    Helper() : m_page(&m_profile), m_input(STDIN_FILENO, QSocketNotifier::Read)
    {
        QObject::connect(&m_page, &QWebEnginePage::loadingChanged, &m_page,
                         [this](const QWebEngineLoadingInfo &info) { loadingChanged(info); });
        QObject::connect(&m_input, &QSocketNotifier::activated, &m_page, [this] { readInput(); });
    }

private:
    void loadingChanged(const QWebEngineLoadingInfo &info)
    {
        if (m_loadId == 0)
            return;
        const QJsonValue id(m_loadId);
        switch (info.status()) {
        case QWebEngineLoadingInfo::LoadSucceededStatus:
            emitMessage({{"ev", "finished"}, {"id", id}});
            break;
        case QWebEngineLoadingInfo::LoadFailedStatus:
            if (info.errorCode() == -3) // aborted: replaced by a newer load
                break;
            if (info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain)
                emitMessage({{"ev", "failed"},
                             {"id", id},
                             {"error",
                              QStringLiteral("the server answered %1")
                                  .arg(info.errorCode())}}); // an error page, no list
            else if (failedBeforeResponse(info))
                emitMessage({{"ev", "unreachable"}, {"id", id}, {"error", reasonOf(info)}});
            else
                emitMessage({{"ev", "failed"}, {"id", id}, {"error", info.errorString()}});
            break;
        default:
            break;
        }
    }

    void readInput()
    {
        char chunk[65536];
        const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (n <= 0) {
            QCoreApplication::quit();
            return;
        }
        m_buffer.append(chunk, n);
        qsizetype end;
        while ((end = m_buffer.indexOf('\n')) >= 0) {
            const QJsonDocument document = QJsonDocument::fromJson(m_buffer.left(end));
            m_buffer.remove(0, end + 1);
            if (document.isObject())
                handle(document.object());
        }
    }

    void handle(const QJsonObject &message)
    {
        const QString op = message.value("op").toString();
        const qint64 id = message.value("id").toInteger();
        if (op == QLatin1String("load")) {
            m_loadId = id;
            m_page.load(QUrl(message.value("url").toString()));
        } else if (op == QLatin1String("eval")) {
            m_page.runJavaScript(message.value("script").toString(), [id](const QVariant &value) {
                QJsonObject reply {{"ev", "result"}, {"id", id}};
                const QJsonValue json = QJsonValue::fromVariant(value);
                reply.insert("value", json.isUndefined() ? QJsonValue() : json);
                emitMessage(reply);
            });
        }
    }

    QWebEngineProfile m_profile; // off the record: nothing is written to disk
    QWebEnginePage m_page;
    QSocketNotifier m_input;
    QByteArray m_buffer;
    qint64 m_loadId = 0;
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Chromium's sandbox refuses to run as root.
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QGuiApplication app(argc, argv);
    Helper helper;
    return app.exec();
}
