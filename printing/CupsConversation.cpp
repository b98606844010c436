#include "printing/CupsConversation.h"

#include "printing/ReportPdf.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>

#include <arpa/inet.h>
#include <cups/cups.h>
#include <cups/pwg.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <optional>
#include <utility>

namespace {

using Stage = CupsConversation::Stage;
using Kind = PrintOutcome::Kind;

// How often a call that waits for the print service looks at the bound, in seconds.
constexpr double patrolSeconds = 0.2;
constexpr int patrolMs = 200;
constexpr int jobPollMs = 200;

QString lastError() { return QString::fromUtf8(cupsLastErrorString()); }

bool serviceDown() { return cupsLastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE; }

// The service turned the request away until it is signed in to, which the program cannot do.
bool signInAsked()
{
    const ipp_status_t status = cupsLastError();
    return status == IPP_STATUS_ERROR_NOT_AUTHENTICATED ||
           status == IPP_STATUS_ERROR_NOT_AUTHORIZED ||
           status == IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED;
}

// Asked for a password, the print library would prompt on the terminal, if there is one, and
// wait there; the program has no one to ask, so it declines at once.
const char *declineSignIn(const char *, http_t *, const char *, const char *, void *)
{
    return nullptr;
}

QString option(const cups_dest_t &dest, const char *name)
{
    return QString::fromUtf8(cupsGetOption(name, dest.num_options, dest.options));
}

QByteArray printerUri(const cups_dest_t &dest)
{
    if (const char *uri = cupsGetOption("printer-uri-supported", dest.num_options, dest.options))
        return uri;
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", dest.name);
    return uri;
}

// The path of the printer's URI, where its requests go.
QByteArray resourceOf(const QByteArray &uri)
{
    char scheme[32], user[256], host[256], resource[1024];
    int port = 0;
    if (httpSeparateURI(HTTP_URI_CODING_ALL, uri.constData(), scheme, sizeof scheme, user,
                        sizeof user, host, sizeof host, &port, resource,
                        sizeof resource) < HTTP_URI_STATUS_OK)
        return "/";
    return resource;
}

// A host the print library reaches without a name lookup: a local socket, an address (an IPv6
// one in brackets too, as CUPS_SERVER writes it with a port), localhost.
bool needsNoLookup(const QByteArray &host)
{
    in6_addr address{};
    const QByteArray bare =
        host.startsWith('[') && host.endsWith(']') ? host.mid(1, host.size() - 2) : host;
    return host.startsWith('/') || host == "localhost" ||
           inet_pton(AF_INET, bare.constData(), &address) == 1 ||
           inet_pton(AF_INET6, bare.constData(), &address) == 1;
}

// The stream addresses in the output of `getent ahosts`, with `port`, as the print library's
// list (freed with httpAddrFreeList); nothing when there are none.
http_addrlist_t *addressList(const QByteArray &ahosts, int port)
{
    http_addrlist_t *first = nullptr;
    http_addrlist_t **next = &first;
    for (const QByteArray &line : ahosts.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 2 || fields.at(1) != "STREAM")
            continue;
        http_addr_t address{};
        if (inet_pton(AF_INET, fields.at(0).constData(), &address.ipv4.sin_addr) == 1) {
            address.ipv4.sin_family = AF_INET;
            address.ipv4.sin_port = htons(static_cast<uint16_t>(port));
        } else if (inet_pton(AF_INET6, fields.at(0).constData(), &address.ipv6.sin6_addr) == 1) {
            address.ipv6.sin6_family = AF_INET6;
            address.ipv6.sin6_port = htons(static_cast<uint16_t>(port));
        } else {
            continue;
        }
        auto *node = static_cast<http_addrlist_t *>(std::calloc(1, sizeof(http_addrlist_t)));
        if (node == nullptr)
            break;
        node->addr = address;
        *next = node;
        next = &node->next;
    }
    return first;
}

int integerIn(ipp_t *collection, const char *name)
{
    return ippGetInteger(ippFindAttribute(collection, name, IPP_TAG_INTEGER), 0);
}

// The paper a media keyword names ("iso_a4_210x297mm", or a legacy name such as "A4"), with the
// smallest margins; nothing for an unknown or empty name.
std::optional<QPageLayout> paperNamed(const char *keyword)
{
    if (keyword == nullptr || *keyword == '\0')
        return std::nullopt;
    const pwg_media_t *pwg = pwgMediaForPWG(keyword);
    if (pwg == nullptr)
        pwg = pwgMediaForLegacy(keyword);
    if (pwg == nullptr || pwg->width <= 0 || pwg->length <= 0)
        return std::nullopt;
    return ReportPdf::pageLayoutFor(pwg->width, pwg->length, 0, 0, 0, 0);
}

// The printer's default paper from its "media-col-default" (size and margins), else from the
// keyword of its "media-default"; nothing where it names neither.
std::optional<QPageLayout> defaultPaper(ipp_t *attributes)
{
    ipp_attribute_t *col =
        ippFindAttribute(attributes, "media-col-default", IPP_TAG_BEGIN_COLLECTION);
    if (ipp_t *media = ippGetCollection(col, 0)) {
        ipp_t *size =
            ippGetCollection(ippFindAttribute(media, "media-size", IPP_TAG_BEGIN_COLLECTION), 0);
        const int width = integerIn(size, "x-dimension");
        const int length = integerIn(size, "y-dimension");
        if (width > 0 && length > 0)
            return ReportPdf::pageLayoutFor(width, length, integerIn(media, "media-left-margin"),
                                            integerIn(media, "media-top-margin"),
                                            integerIn(media, "media-right-margin"),
                                            integerIn(media, "media-bottom-margin"));
    }
    return paperNamed(
        ippGetString(ippFindAttribute(attributes, "media-default", IPP_TAG_ZERO), 0, nullptr));
}

// The connection to the print service and the bound on every wait for it.
class Link {
public:
    explicit Link(std::shared_ptr<CupsConversation::Stake> stake)
        : m_stake(std::move(stake)), m_deadline(CupsConversation::beforeJobMs)
    {
    }
    ~Link()
    {
        if (m_dest != nullptr)
            cupsFreeDests(1, m_dest);
        httpClose(m_http);
    }
    Link(const Link &) = delete;
    Link &operator=(const Link &) = delete;

    bool inTime() const { return !m_deadline.hasExpired() && m_stake->load() != Stage::Closed; }
    bool gaveUp() const { return m_gaveUp; }
    // Why connect() failed, where it was not given up: the host name could not be looked up,
    // or the service refused the connection.
    Kind failure() const { return m_failure; }

    // Whether the service takes the connection, within the bound, its name lookup included.
    bool connect()
    {
        const QByteArray host = cupsServer();
        http_addrlist_t *addresses = nullptr;
        if (!needsNoLookup(host) && (addresses = lookUp(host)) == nullptr) {
            m_gaveUp = m_gaveUp || !inTime();
            return false;
        }
        // httpConnect2 takes 0 to mean "do not connect"; a spent budget still tries for a moment.
        const int budgetMs = static_cast<int>(std::max<qint64>(m_deadline.remainingTime(), 1));
        m_http = httpConnect2(host.constData(), ippPort(), addresses, AF_UNSPEC, cupsEncryption(),
                              1, budgetMs, nullptr);
        httpAddrFreeList(addresses); // the connection keeps a copy, for reconnecting too
        m_gaveUp = !inTime();
        if (m_http == nullptr)
            return false;
        httpSetTimeout(m_http, patrolSeconds, keepWaiting, this);
        return !m_gaveUp;
    }

    // The point of no return: the job may be created only if the report has not been given up,
    // and from now on it will not be. The job's own steps get a bound of their own.
    bool commit()
    {
        Stage open = Stage::Open;
        if (!inTime() || !m_stake->compare_exchange_strong(open, Stage::Committed)) {
            m_gaveUp = true;
            return false;
        }
        m_deadline = QDeadlineTimer(CupsConversation::afterJobMs);
        return true;
    }

    http_t *http() const { return m_http; }
    ipp_t *ask(ipp_t *request, const char *resource = "/")
    {
        return cupsDoRequest(m_http, request, resource);
    }

    cups_dest_t *findDefault()
    {
        m_dest = cupsGetNamedDest(m_http, nullptr, nullptr);
        return m_dest;
    }

private:
    // The addresses of `host`, looked up as every program of the system does, but by `getent` in
    // a process of its own: a lookup in this process could not be bounded (a name server that
    // never answers holds it for minutes), a process is ended at the bound or once the report is
    // given up. Nothing for an unknown name, or when the lookup was ended.
    http_addrlist_t *lookUp(const QByteArray &host)
    {
        QProcess getent;
        getent.start(QStringLiteral("getent"), {QStringLiteral("ahosts"), QString::fromUtf8(host)});
        while (!getent.waitForFinished(patrolMs)) {
            if (getent.state() == QProcess::NotRunning) {
                m_failure = Kind::NoLookup; // it could not start
                return nullptr;
            }
            if (!inTime()) {
                m_gaveUp = true;
                getent.kill();
                getent.waitForFinished(patrolMs); // killed, it is reaped at once
                return nullptr;
            }
        }
        // getent's status 2: the name is not known.
        m_failure = Kind::HostNotFound;
        if (getent.exitStatus() != QProcess::NormalExit || getent.exitCode() != 0)
            return nullptr;
        http_addrlist_t *addresses = addressList(getent.readAllStandardOutput(), ippPort());
        if (addresses != nullptr)
            m_failure = Kind::ServiceUnavailable;
        return addresses;
    }

    static int keepWaiting(http_t *, void *self)
    {
        auto *link = static_cast<Link *>(self);
        if (link->inTime())
            return 1;
        link->m_gaveUp = true;
        return 0;
    }

    std::shared_ptr<CupsConversation::Stake> m_stake;
    QDeadlineTimer m_deadline;
    bool m_gaveUp = false;
    Kind m_failure = Kind::ServiceUnavailable;
    http_t *m_http = nullptr;
    cups_dest_t *m_dest = nullptr;
};

// One report through one link, step by step; each step says whether to go on.
class Steps {
public:
    Steps(Link &link, PrintOutcome &outcome) : m_link(link), m_outcome(outcome) {}

    bool findPrinter()
    {
        const cups_dest_t *dest = m_link.findDefault();
        if (dest == nullptr)
            return stop(noDefaultKind());
        m_dest = dest;
        m_outcome.printer = QString::fromUtf8(dest->name);
        m_uri = printerUri(*dest);
        m_resource = resourceOf(m_uri);
        if (option(*dest, "printer-state") == QLatin1String("5"))
            return stop(Kind::PrinterStopped);
        if (option(*dest, "printer-is-accepting-jobs") == QLatin1String("false"))
            return stop(Kind::PrinterRejecting);
        return true;
    }

    // The printer's default paper, else the "media" option of the destination, else the locale's.
    QPageLayout paper()
    {
        ipp_t *request = newRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
        static const char *const wanted[] = {"media-col-default", "media-default"};
        ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2,
                      nullptr, wanted);
        ipp_t *response = m_link.ask(request);
        std::optional<QPageLayout> page = defaultPaper(response);
        ippDelete(response);
        if (!page)
            page = paperNamed(cupsGetOption("media", m_dest->num_options, m_dest->options));
        return page.value_or(ReportPdf::localeDefaultPage());
    }

    bool createJob(const QString &title)
    {
        ipp_t *request = newRequest(IPP_OP_CREATE_JOB);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr,
                     title.toUtf8().constData());
        ipp_t *response = m_link.ask(request, m_resource.constData());
        m_outcome.jobId = ippGetInteger(ippFindAttribute(response, "job-id", IPP_TAG_INTEGER), 0);
        ippDelete(response);
        if (cupsLastError() <= IPP_STATUS_OK_CONFLICTING && m_outcome.jobId > 0)
            return true;
        // Nothing of the report went with the request: whatever the service did with it, a job
        // without a document never prints.
        m_outcome.jobId = 0;
        return stop(refusedKind());
    }

    // Hands the document over. Once all of it is written the job may print, so a service that
    // falls silent then leaves it unconfirmed, never "not printed".
    bool sendDocument(const QByteArray &pdf)
    {
        ipp_t *request = newRequest(IPP_OP_SEND_DOCUMENT);
        ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", m_outcome.jobId);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr,
                     CUPS_FORMAT_PDF);
        ippAddBoolean(request, IPP_TAG_OPERATION, "last-document", 1);
        const bool written =
            cupsSendRequest(m_link.http(), request, m_resource.constData(), CUPS_LENGTH_VARIABLE) ==
                HTTP_STATUS_CONTINUE &&
            cupsWriteRequestData(m_link.http(), pdf.constData(), static_cast<size_t>(pdf.size())) ==
                HTTP_STATUS_CONTINUE;
        ippDelete(request);
        ipp_t *response =
            written ? cupsGetResponse(m_link.http(), m_resource.constData()) : nullptr;
        const bool answered = response != nullptr || !noReply();
        ippDelete(response);
        // All of it went, and no reply came back: silent, or the connection dropped (a reset, a
        // restarted service). The service may have taken it, so it is neither withdrawn nor
        // told as not printed.
        if (written && (m_link.gaveUp() || !answered))
            return stop(Kind::Unconfirmed);
        if (written && cupsLastError() <= IPP_STATUS_OK_CONFLICTING)
            return true;
        const Kind kind = refusedKind();
        // A job that never got its document would wait for ever; withdraw it.
        ipp_t *cancel = newRequest(IPP_OP_CANCEL_JOB);
        ippAddInteger(cancel, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", m_outcome.jobId);
        ippDelete(m_link.ask(cancel, m_resource.constData()));
        return stop(kind);
    }

    // Watches the accepted job until it is printing, done, ended or waiting, or the short moment
    // after queueing has passed. A service that stops answering now, or gives no state of the
    // job, leaves it unconfirmed.
    void judgeJob()
    {
        QDeadlineTimer settled(CupsConversation::settleMs);
        for (;;) {
            const printjob::Reading reading = readJob();
            if (m_link.gaveUp()) {
                m_outcome.kind = Kind::Unconfirmed;
                return;
            }
            switch (printjob::judge(reading, settled.hasExpired())) {
            case printjob::Verdict::Undecided: break;
            case printjob::Verdict::Printing: return;
            case printjob::Verdict::Unknown: m_outcome.kind = Kind::Unconfirmed; return;
            case printjob::Verdict::Ended: m_outcome.kind = Kind::JobEnded; return;
            case printjob::Verdict::Waiting:
                m_outcome.kind = Kind::Waiting;
                m_outcome.waitingReason = printjob::whyWaiting(reading);
                return;
            }
            QThread::msleep(jobPollMs);
        }
    }

private:
    bool stop(Kind kind)
    {
        m_outcome.kind = kind;
        return false;
    }

    ipp_t *newRequest(ipp_op_t operation) const
    {
        ipp_t *request = ippNewRequest(operation);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                     m_uri.constData());
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                     cupsUser());
        return request;
    }

    // Why the last request was not answered as asked, where the service itself is the reason:
    // silent, not running, or asking for a sign-in. Keeps the service's own words.
    std::optional<Kind> serviceFailure()
    {
        m_outcome.detail = lastError();
        if (m_link.gaveUp())
            return Kind::NoAnswer;
        if (serviceDown())
            return Kind::ServiceUnavailable;
        if (signInAsked())
            return Kind::SignInNeeded;
        return std::nullopt;
    }

    Kind refusedKind() { return serviceFailure().value_or(Kind::JobRefused); }

    // The last request, which got no response, got no reply at all: the connection failed or
    // dropped before any answer. A reply of the service, an error too, says what it did with it.
    static bool noReply()
    {
        const ipp_status_t status = cupsLastError();
        return status <= IPP_STATUS_OK_CONFLICTING ||
               status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE ||
               status == IPP_STATUS_ERROR_INTERNAL;
    }

    // No default destination: the service is down or silent, asks for a sign-in, has no printer
    // at all, or has printers without a default. Only the default is ever printed on, but "no
    // printer" must not be said of a machine that has printers without a default.
    Kind noDefaultKind()
    {
        if (const std::optional<Kind> failure = serviceFailure())
            return *failure;
        m_outcome.installed = installedPrinters();
        if (m_link.gaveUp())
            return Kind::NoAnswer;
        return m_outcome.installed.isEmpty() ? Kind::NoPrinter : Kind::NoDefault;
    }

    QStringList installedPrinters()
    {
        ipp_t *request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                     "printer-name");
        ipp_t *response = m_link.ask(request);
        QStringList names;
        for (ipp_attribute_t *name = ippFindAttribute(response, "printer-name", IPP_TAG_NAME);
             name != nullptr; name = ippFindNextAttribute(response, "printer-name", IPP_TAG_NAME))
            names.append(QString::fromUtf8(ippGetString(name, 0, nullptr)));
        ippDelete(response);
        names.sort();
        return names;
    }

    printjob::Reading readJob()
    {
        printjob::Reading reading;
        ipp_t *request = newRequest(IPP_OP_GET_JOB_ATTRIBUTES);
        ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", m_outcome.jobId);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                     "job-state");
        ipp_t *response = m_link.ask(request);
        reading.jobState = ippGetInteger(ippFindAttribute(response, "job-state", IPP_TAG_ENUM), 0);
        ippDelete(response);

        request = newRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
        static const char *const wanted[] = {"printer-state", "printer-state-reasons"};
        ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2,
                      nullptr, wanted);
        response = m_link.ask(request);
        reading.printerState =
            ippGetInteger(ippFindAttribute(response, "printer-state", IPP_TAG_ENUM), 0);
        ipp_attribute_t *reasons =
            ippFindAttribute(response, "printer-state-reasons", IPP_TAG_KEYWORD);
        for (int i = 0; i < ippGetCount(reasons); ++i)
            reading.printerReasons.append(QString::fromUtf8(ippGetString(reasons, i, nullptr)));
        ippDelete(response);
        return reading;
    }

    Link &m_link;
    PrintOutcome &m_outcome;
    const cups_dest_t *m_dest = nullptr;
    QByteArray m_uri;
    QByteArray m_resource;
};

// The whole conversation; `printerFound` hears the default printer's name once it is known.
PrintOutcome converse(Link &link, const ReportPage &page,
                      const std::function<void(const QString &)> &printerFound)
{
    PrintOutcome outcome;
    outcome.service = CupsConversation::serviceName();
    if (!link.connect()) {
        outcome.kind = link.gaveUp() ? Kind::NoAnswer : link.failure();
        return outcome;
    }
    Steps steps(link, outcome);
    if (!steps.findPrinter())
        return outcome;
    printerFound(outcome.printer);
    const QPageLayout paper = steps.paper();
    const std::optional<QByteArray> pdf = ReportPdf::render(page, paper);
    if (!pdf) {
        outcome.kind = Kind::RenderFailed;
        return outcome;
    }
    if (!link.commit()) {
        outcome.kind = Kind::NoAnswer;
        return outcome;
    }
    if (steps.createJob(page.title()) && steps.sendDocument(*pdf))
        steps.judgeJob();
    return outcome;
}

} // namespace

CupsConversation::CupsConversation(ReportPage page, std::shared_ptr<Stake> stake)
    : m_page(std::move(page)), m_stake(std::move(stake))
{
}

QString CupsConversation::serviceName()
{
    // The print library reads its settings once per thread; this thread may have read them
    // before the environment or the configuration changed, so they are read anew.
    cupsSetServer(nullptr);
    const QString host = QString::fromUtf8(cupsServer());
    if (host.startsWith(QLatin1Char('/')) ||
        (host == QLatin1String("localhost") && ippPort() == IPP_PORT))
        return {};
    return host + QLatin1Char(':') + QString::number(ippPort());
}

void CupsConversation::run()
{
    // The print library keeps its settings per thread: these hold for this conversation only.
    cupsSetPasswordCB2(declineSignIn, nullptr);
    Link link(m_stake);
    const PrintOutcome outcome =
        converse(link, m_page, [this](const QString &name) { emit printerFound(name); });
    // Without a job, the report is closed here, unless the teller closed it first and has told
    // the user already.
    Stage open = Stage::Open;
    if (m_stake->load() == Stage::Committed ||
        m_stake->compare_exchange_strong(open, Stage::Closed))
        emit finished(outcome);
}
