// HTTPS GET on Qt Network: peers are verified against the system's
// authorities (plus any extra ones given), redirects are followed only to
// https addresses and only a few times, and a transfer that stalls is given up.
// The body is handed on piece by piece as it arrives, never gathered here.

#include <QByteArray>
#include <QList>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QObject>
#include <QPointer>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTimer>
#include <QUrl>
#include <memory>
#include <set>

#include "updater/HttpClient.h"

namespace updater {
namespace {

bool IsHttps(const QUrl& url) {
  return url.isValid() && url.scheme() == QLatin1String("https") && !url.host().isEmpty();
}

// How much Qt keeps of a body not yet handed on; the socket waits beyond it.
constexpr qint64 kReadBufferBytes = 256 * 1024;

class QtHttpClient final : public HttpClient {
 public:
  explicit QtHttpClient(const HttpOptions& options) : options_(options) {
    ssl_ = QSslConfiguration::defaultConfiguration();
    ssl_.setPeerVerifyMode(QSslSocket::VerifyPeer);
    if (!options.extraCaCertificatesPem.empty()) {
      ssl_.addCaCertificates(QSslCertificate::fromData(
          QByteArray::fromStdString(options.extraCaCertificatesPem), QSsl::Pem));
    }
  }

  ~QtHttpClient() override {
    // Drop the running requests without reporting them: first the
    // connections to this client go, then the requests.
    context_.reset();
    for (QNetworkReply* reply : running_) {
      reply->abort();
      delete reply;
    }
  }

  void Get(const std::string& url, Receiver receiver) override {
    const QUrl target = QUrl::fromEncoded(QByteArray::fromStdString(url), QUrl::StrictMode);
    if (!IsHttps(target)) {
      Fail(std::move(receiver.end), "only https addresses are fetched");
      return;
    }
    Start(target, std::move(receiver), 0);
  }

 private:
  struct Request {
    QNetworkReply* reply;
    Receiver receiver;
    int redirects = 0;  // followed before this request
    bool headSent = false;
    bool stopped = false;
  };

  // Redirects are followed here rather than by Qt: each hop is a new request
  // whose address is checked like the first one's, and Qt's own redirect
  // handling has left its connection objects behind when the client went
  // soon after a redirect.
  void Start(const QUrl& target, Receiver receiver, int redirects) {
    QNetworkRequest request(target);
    request.setSslConfiguration(ssl_);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(options_.transferTimeoutMs);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    // The body as stored: Qt then neither asks for nor unpacks compressed
    // bodies, so the bytes counted are the bytes the length announces.
    request.setRawHeader("Accept-Encoding", "identity");
    // HTTP/1.1 only, whose framing the receiver judges.
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);

    QNetworkReply* reply = manager_.get(request);
    reply->setReadBufferSize(kReadBufferBytes);
    running_.insert(reply);
    auto state = std::make_shared<Request>(Request{reply, std::move(receiver), redirects});
    QObject::connect(reply, &QNetworkReply::readyRead, context_.get(),
                     [this, state] { Read(state); });
    QObject::connect(reply, &QNetworkReply::finished, context_.get(),
                     [this, state] { Finish(state); });
  }

  // Reports a failure as a later event, like every other result.
  void Fail(std::function<void(bool, std::string)> end, std::string why) {
    QTimer::singleShot(0, context_.get(),
                       [end = std::move(end), why = std::move(why)] { end(false, why); });
  }

  static std::string Header(QNetworkReply* reply, const char* name) {
    return reply->hasRawHeader(name) ? reply->rawHeader(name).toStdString() : std::string();
  }

  // Hands on the head, then whatever of the body has arrived. Returns false
  // when the receiver stopped the transfer.
  bool Deliver(Request& r) {
    if (!r.headSent) {
      r.headSent = true;
      const ResponseHead head{r.reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
                              Header(r.reply, "Content-Length"),
                              Header(r.reply, "Transfer-Encoding"),
                              Header(r.reply, "Content-Encoding")};
      if (!r.receiver.head(head)) return false;
    }
    while (r.reply->bytesAvailable() > 0) {
      const QByteArray piece = r.reply->read(kReadBufferBytes);
      if (piece.isEmpty()) break;
      if (!r.receiver.data(std::string_view(piece.constData(), static_cast<size_t>(piece.size()))))
        return false;
    }
    return true;
  }

  // The receiver said stop: the reply goes without a word, and the end is
  // reported as a later event, so no call reaches the receiver from inside
  // its own call.
  void Stop(Request& r) {
    r.stopped = true;
    QNetworkReply* reply = r.reply;
    running_.erase(reply);
    QObject::disconnect(reply, nullptr, context_.get(), nullptr);
    reply->abort();
    reply->deleteLater();
    Fail(std::move(r.receiver.end), "stopped by the receiver");
  }

  // Each call holds the request: disconnecting the reply drops the
  // connections' own hold on it.
  void Read(std::shared_ptr<Request> request) {
    Request& r = *request;
    if (r.stopped) return;
    // A redirect's own body is not the answer; it is let through and dropped
    // so that a full buffer never holds the transfer up.
    if (IsRedirect(r.reply)) {
      r.reply->skip(r.reply->bytesAvailable());
      return;
    }
    if (!Deliver(r)) Stop(r);
  }

  static bool IsRedirect(QNetworkReply* reply) {
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return status >= 300 && status <= 399;
  }

  // A redirect's target goes through the same checks as the first address,
  // and only a few hops are taken.
  void FollowRedirect(Request& r) {
    const QByteArray location = r.reply->rawHeader("Location");
    const QUrl to = r.reply->url().resolved(QUrl::fromEncoded(location, QUrl::StrictMode));
    if (location.isEmpty() || !IsHttps(to)) {
      r.receiver.end(false, "redirected away from https");
    } else if (r.redirects >= options_.maxRedirects) {
      r.receiver.end(false, "too many redirects");
    } else {
      Start(to, std::move(r.receiver), r.redirects + 1);
    }
  }

  void Finish(std::shared_ptr<Request> request) {
    Request& r = *request;
    if (r.stopped) return;
    running_.erase(r.reply);
    r.reply->deleteLater();
    if (r.reply->error() != QNetworkReply::NoError) {
      r.receiver.end(false, r.reply->errorString().toStdString());
      return;
    }
    if (IsRedirect(r.reply)) {
      FollowRedirect(r);
      return;
    }
    if (!Deliver(r)) {
      r.stopped = true;
      r.receiver.end(false, "stopped by the receiver");
      return;
    }
    r.receiver.end(true, {});
  }

  HttpOptions options_;
  QSslConfiguration ssl_;
  QNetworkAccessManager manager_;
  std::set<QNetworkReply*> running_;
  // The receiver of every connection made here; gone before the requests.
  std::unique_ptr<QObject> context_ = std::make_unique<QObject>();
};

}  // namespace

std::unique_ptr<HttpClient> CreateHttpClient(const HttpOptions& options) {
  return std::make_unique<QtHttpClient>(options);
}

}  // namespace updater
