#include "reports/CupsPrinter.h"

#include <QLocale>
#include <QMarginsF>
#include <QPageSize>
#include <QSizeF>

#include <cups/pwg.h>

#include <algorithm>
#include <utility>

namespace {

// How often a call that waits for the print service looks at the deadline, in seconds.
constexpr double patrolSeconds = 0.2;

QString option(const cups_dest_t &dest, const char *name)
{
    return QString::fromUtf8(cupsGetOption(name, dest.num_options, dest.options));
}

QString lastError() { return QString::fromUtf8(cupsLastErrorString()); }

bool serviceDown(ipp_status_t status) { return status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE; }

CupsPrinter::Status stateOf(const cups_dest_t &dest)
{
    if (option(dest, "printer-state") == QLatin1String("5"))
        return CupsPrinter::Status::Stopped;
    if (option(dest, "printer-is-accepting-jobs") == QLatin1String("false"))
        return CupsPrinter::Status::Rejecting;
    return CupsPrinter::Status::Ready;
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

void addPrinterUri(ipp_t *request, const cups_dest_t &dest)
{
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 printerUri(dest).constData());
}

} // namespace

CupsPrinter::CupsPrinter(QDeadlineTimer deadline, std::shared_ptr<const std::atomic_bool> abandoned)
    : m_deadline(deadline), m_abandoned(std::move(abandoned))
{
}

CupsPrinter::~CupsPrinter()
{
    cupsFreeDestInfo(m_info);
    if (m_dest != nullptr)
        cupsFreeDests(1, m_dest);
    httpClose(m_http);
}

QString CupsPrinter::serviceName()
{
    const QString host = QString::fromUtf8(cupsServer());
    if (host.startsWith(QLatin1Char('/')) ||
        (host == QLatin1String("localhost") && ippPort() == IPP_PORT))
        return {};
    return host + QLatin1Char(':') + QString::number(ippPort());
}

bool CupsPrinter::stillInTime() const { return !m_deadline.hasExpired() && !m_abandoned->load(); }

int CupsPrinter::keepWaiting(http_t *, void *self)
{
    auto *printer = static_cast<CupsPrinter *>(self);
    if (printer->stillInTime())
        return 1;
    printer->m_gaveUp = true;
    return 0;
}

CupsPrinter::Status CupsPrinter::connect()
{
    // httpConnect2 takes 0 to mean "do not connect"; a spent budget still tries for a moment.
    const int budgetMs = static_cast<int>(std::max<qint64>(m_deadline.remainingTime(), 1));
    m_http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                          budgetMs, nullptr);
    if (m_http == nullptr) {
        m_gaveUp = !stillInTime();
        return m_gaveUp ? Status::NoAnswer : Status::ServiceUnavailable;
    }
    httpSetTimeout(m_http, patrolSeconds, keepWaiting, this);
    return Status::Ready;
}

ipp_t *CupsPrinter::ask(ipp_t *request) { return cupsDoRequest(m_http, request, "/"); }

// The names of every printer and class the scheduler has, whichever is the default.
QStringList CupsPrinter::installedPrinters()
{
    ipp_t *request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "printer-name");
    ipp_t *response = ask(request);
    QStringList names;
    for (ipp_attribute_t *name = ippFindAttribute(response, "printer-name", IPP_TAG_NAME);
         name != nullptr; name = ippFindNextAttribute(response, "printer-name", IPP_TAG_NAME))
        names.append(QString::fromUtf8(ippGetString(name, 0, nullptr)));
    ippDelete(response);
    names.sort();
    return names;
}

// The destination's default paper: from its capabilities, else from its "media" option.
QPageLayout CupsPrinter::pageOfDestination()
{
    m_info = cupsCopyDestInfo(m_http, m_dest);
    cups_size_t size{};
    if (m_info != nullptr && cupsGetDestMediaDefault(m_http, m_dest, m_info, 0, &size) &&
        size.width > 0 && size.length > 0)
        return pageLayoutFor(size.width, size.length, size.left, size.top, size.right, size.bottom);
    const QByteArray media = option(*m_dest, "media").toUtf8();
    if (!media.isEmpty()) {
        const pwg_media_t *pwg = pwgMediaForPWG(media.constData());
        if (!pwg)
            pwg = pwgMediaForLegacy(media.constData());
        if (pwg && pwg->width > 0 && pwg->length > 0)
            return pageLayoutFor(pwg->width, pwg->length, 0, 0, 0, 0);
    }
    return localeDefaultPage();
}

CupsPrinter::Destination CupsPrinter::defaultDestination()
{
    Destination result;
    m_dest = cupsGetNamedDest(m_http, nullptr, nullptr);
    if (m_dest == nullptr) {
        result.detail = lastError();
        if (serviceDown(cupsLastError()))
            result.status = Status::ServiceUnavailable;
        else if (!m_gaveUp)
            // Only the default is ever printed on, but "no printer" must not be said of a
            // machine that has printers without a default.
            result.installed = installedPrinters();
        if (m_gaveUp)
            result.status = Status::NoAnswer;
        else if (result.status != Status::ServiceUnavailable)
            result.status = result.installed.isEmpty() ? Status::NoPrinter : Status::NoDefault;
        return result;
    }
    result.name = QString::fromUtf8(m_dest->name);
    result.status = stateOf(*m_dest);
    result.pageLayout = pageOfDestination();
    if (m_gaveUp)
        result.status = Status::NoAnswer;
    return result;
}

CupsPrinter::Submission CupsPrinter::submit(const QByteArray &pdf, const QString &title)
{
    Submission result;
    const auto fail = [&result]() {
        result.serviceUnavailable = serviceDown(cupsLastError());
        result.detail = lastError();
        return result;
    };
    const QByteArray titleUtf8 = title.toUtf8();
    int jobId = 0;
    if (cupsCreateDestJob(m_http, m_dest, m_info, &jobId, titleUtf8.constData(), 0, nullptr) >
            IPP_STATUS_OK_CONFLICTING ||
        jobId <= 0)
        return fail();
    const bool sent =
        cupsStartDestDocument(m_http, m_dest, m_info, jobId, titleUtf8.constData(), CUPS_FORMAT_PDF,
                              0, nullptr, 1) == HTTP_STATUS_CONTINUE &&
        cupsWriteRequestData(m_http, pdf.constData(), static_cast<size_t>(pdf.size())) ==
            HTTP_STATUS_CONTINUE;
    const ipp_status_t finished = cupsFinishDestDocument(m_http, m_dest, m_info);
    if (!sent || finished > IPP_STATUS_OK_CONFLICTING) {
        Submission failed = fail();
        // A job that was created but never got its document would wait for ever; withdraw it.
        cupsCancelDestJob(m_http, m_dest, jobId);
        return failed;
    }
    result.accepted = true;
    result.jobId = jobId;
    return result;
}

jobprogress::Reading CupsPrinter::readJob(int jobId)
{
    jobprogress::Reading reading;
    ipp_t *request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    addPrinterUri(request, *m_dest);
    ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", jobId);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "job-state");
    ipp_t *response = ask(request);
    reading.jobState = ippGetInteger(ippFindAttribute(response, "job-state", IPP_TAG_ENUM), 0);
    ippDelete(response);

    request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    addPrinterUri(request, *m_dest);
    static const char *const wanted[] = {"printer-state", "printer-state-reasons"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2, nullptr,
                  wanted);
    response = ask(request);
    reading.printerState =
        ippGetInteger(ippFindAttribute(response, "printer-state", IPP_TAG_ENUM), 0);
    ipp_attribute_t *reasons = ippFindAttribute(response, "printer-state-reasons", IPP_TAG_KEYWORD);
    for (int i = 0; i < ippGetCount(reasons); ++i)
        reading.printerReasons.append(QString::fromUtf8(ippGetString(reasons, i, nullptr)));
    ippDelete(response);
    return reading;
}

QPageLayout CupsPrinter::pageLayoutFor(int width, int length, int left, int top, int right,
                                       int bottom)
{
    const auto mm = [](int hundredths) { return std::max(hundredths / 100.0, minimumMarginMm); };
    const QPageSize size(QSizeF(width / 100.0, length / 100.0), QPageSize::Millimeter);
    return QPageLayout(size, QPageLayout::Portrait,
                       QMarginsF(mm(left), mm(top), mm(right), mm(bottom)),
                       QPageLayout::Millimeter);
}

QPageLayout CupsPrinter::localeDefaultPage()
{
    const bool letter = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    const QPageSize size(letter ? QPageSize::Letter : QPageSize::A4);
    const QSizeF mm = size.size(QPageSize::Millimeter);
    return pageLayoutFor(static_cast<int>(mm.width() * 100), static_cast<int>(mm.height() * 100), 0,
                         0, 0, 0);
}
