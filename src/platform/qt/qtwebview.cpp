#include "qtwebview.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTimer>

QtWebView::QtWebView(QString helperPath, int idleMilliseconds)
    : m_helperPath(std::move(helperPath)), m_idleTimer(new QTimer(&m_context))
{
    m_idleTimer->setSingleShot(true);
    m_idleTimer->setInterval(idleMilliseconds);
    QObject::connect(m_idleTimer, &QTimer::timeout, &m_context, [this] { stopHelper(); });
}

QtWebView::~QtWebView()
{
    if (m_process) {
        m_process->disconnect();
        m_process->kill();
        m_process->waitForFinished(2000);
        delete m_process;
    }
}

QString QtWebView::defaultHelperPath()
{
    return QDir(QCoreApplication::applicationDirPath())
        .absoluteFilePath(QStringLiteral("../libexec/plumetrack-webview"));
}

bool QtWebView::isHelperRunning() const
{
    return m_process && m_process->state() != QProcess::NotRunning;
}

qint64 QtWebView::helperProcessId() const
{
    return isHelperRunning() ? m_process->processId() : 0;
}

bool QtWebView::ensureHelper()
{
    if (isHelperRunning())
        return true;
    delete m_process;
    m_buffer.clear();
    m_process = new QProcess;
    m_process->setProgram(m_helperPath);
    // The web engine talks a lot on its standard error; set PLUMETRACK_WEBVIEW_LOG to see it.
    if (qEnvironmentVariableIsEmpty("PLUMETRACK_WEBVIEW_LOG"))
        m_process->setStandardErrorFile(QProcess::nullDevice());
    else
        m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QObject::connect(m_process, &QProcess::readyReadStandardOutput, &m_context,
                     [this] { readMessages(); });
    QObject::connect(m_process, &QProcess::finished, &m_context, [this] { helperEnded(); });
    QObject::connect(m_process, &QProcess::errorOccurred, &m_context,
                     [this](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart)
                             helperEnded();
                     });
    m_process->start();
    return m_process->waitForStarted(10'000);
}

void QtWebView::touch()
{
    m_idleTimer->start();
}

void QtWebView::send(const QJsonObject &message)
{
    m_process->write(QJsonDocument(message).toJson(QJsonDocument::Compact) + '\n');
}

void QtWebView::load(const QUrl &url)
{
    touch();
    ++m_loadId;
    m_loadPending = true;
    if (!ensureHelper())
        return; // helperEnded reports the failed load
    send({{QStringLiteral("op"), QStringLiteral("load")},
          {QStringLiteral("id"), m_loadId},
          {QStringLiteral("url"), url.toString(QUrl::FullyEncoded)}});
}

void QtWebView::evaluateJavaScript(const QString &script, ScriptCompletion completion)
{
    touch();
    if (!isHelperRunning()) {
        QTimer::singleShot(0, &m_context, [completion = std::move(completion)] {
            completion(std::nullopt, QStringLiteral("No page is loaded."));
        });
        return;
    }
    const qint64 id = ++m_nextScriptId;
    m_scripts.emplace(id, std::move(completion));
    send({{QStringLiteral("op"), QStringLiteral("eval")},
          {QStringLiteral("id"), id},
          {QStringLiteral("script"), script}});
}

void QtWebView::readMessages()
{
    m_buffer += m_process->readAllStandardOutput();
    qsizetype end;
    while ((end = m_buffer.indexOf('\n')) >= 0) {
        const QByteArray line = m_buffer.left(end);
        m_buffer.remove(0, end + 1);
        const QJsonDocument document = QJsonDocument::fromJson(line);
        if (document.isObject())
            handle(document.object());
    }
}

void QtWebView::handle(const QJsonObject &message)
{
    touch();
    const QString event = message.value(QStringLiteral("ev")).toString();
    const qint64 id = message.value(QStringLiteral("id")).toInteger();
    if (event == QLatin1String("finished") || event == QLatin1String("failed")
        || event == QLatin1String("unreachable")) {
        if (id != m_loadId || !m_loadPending)
            return; // a load that a later one replaced
        m_loadPending = false;
        if (!m_delegate)
            return;
        if (event == QLatin1String("finished"))
            m_delegate->didFinish();
        else if (event == QLatin1String("failed"))
            m_delegate->didFail(message.value(QStringLiteral("error")).toString());
        else
            m_delegate->didFailBeforeContent(message.value(QStringLiteral("error")).toString());
    } else if (event == QLatin1String("result")) {
        const auto it = m_scripts.find(id);
        if (it == m_scripts.end())
            return;
        ScriptCompletion completion = std::move(it->second);
        m_scripts.erase(it);
        const QJsonValue value = message.value(QStringLiteral("value"));
        if (value.isUndefined() || value.isNull())
            complete(std::move(completion), std::nullopt,
                     message.value(QStringLiteral("error")).toString());
        else
            complete(std::move(completion), value.toVariant(), std::nullopt);
    }
}

void QtWebView::complete(ScriptCompletion completion, std::optional<QVariant> result,
                         std::optional<QString> error)
{
    // A completion may drop the last owner of this view; it runs once the view's own handling is
    // over, never while readMessages or helperEnded is on the stack.
    QTimer::singleShot(0,
                       [completion = std::move(completion), result = std::move(result),
                        error = std::move(error)] { completion(result, error); });
}

void QtWebView::failScripts(const QString &error)
{
    auto scripts = std::move(m_scripts);
    m_scripts.clear();
    for (auto &[id, completion] : scripts)
        complete(std::move(completion), std::nullopt, error);
}

void QtWebView::helperEnded()
{
    const bool loadWasPending = m_loadPending;
    m_loadPending = false;
    m_idleTimer->stop();
    failScripts(QStringLiteral("The web page helper ended."));
    if (loadWasPending && m_delegate)
        m_delegate->didFail(QStringLiteral("The web page helper ended."));
}

void QtWebView::stopHelper()
{
    if (!m_process)
        return;
    // Idle: no load is waited for any more, and a load still hanging has never started to arrive.
    m_loadPending = false;
    failScripts(QStringLiteral("The web page helper was idle."));
    m_process->disconnect();
    m_process->closeWriteChannel();
    if (!m_process->waitForFinished(3000)) {
        m_process->kill();
        m_process->waitForFinished(2000);
    }
    delete m_process;
    m_process = nullptr;
}
