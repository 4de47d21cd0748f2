// HTTPS GET on Qt Network: peers are verified against the system's
// authorities (plus any extra ones given), redirects are followed only to
// https addresses and only a few times, and a transfer that stalls is given up.

#include <QByteArray>
#include <QList>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QObject>
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

  void Get(const std::string& url, Progress progress, Done done) override {
    const QUrl target = QUrl::fromEncoded(QByteArray::fromStdString(url), QUrl::StrictMode);
    if (!IsHttps(target)) {
      Fail(std::move(done), "only https addresses are fetched");
      return;
    }
    QNetworkRequest request(target);
    request.setSslConfiguration(ssl_);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(options_.maxRedirects);
    request.setTransferTimeout(options_.transferTimeoutMs);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);

    QNetworkReply* reply = manager_.get(request);
    running_.insert(reply);
    QObject::connect(reply, &QNetworkReply::redirected, context_.get(), [reply](const QUrl& to) {
      if (IsHttps(to)) {
        emit reply->redirectAllowed();
      } else {
        reply->abort();
      }
    });
    const int64_t maxBytes = options_.maxBodyBytes;
    QObject::connect(reply, &QNetworkReply::downloadProgress, context_.get(),
                     [reply, maxBytes, progress](qint64 received, qint64 total) {
                       if (received > maxBytes) {
                         reply->abort();
                         return;
                       }
                       if (progress) progress(received, total);
                     });
    QObject::connect(reply, &QNetworkReply::finished, context_.get(),
                     [this, reply, done = std::move(done)] { Finish(reply, done); });
  }

 private:
  // Reports a failure as a later event, like every other result.
  void Fail(Done done, const char* why) {
    QTimer::singleShot(0, context_.get(), [done = std::move(done), why] {
      done(HttpResponse{false, {}, why});
    });
  }

  void Finish(QNetworkReply* reply, const Done& done) {
    running_.erase(reply);
    reply->deleteLater();
    HttpResponse response;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError) {
      response.error = reply->errorString().toStdString();
    } else if (status < 200 || status > 299) {
      response.error = "HTTP status " + std::to_string(status);
    } else {
      const QByteArray body = reply->readAll();
      const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
      // Qt unpacks a compressed body, whose announced length is the packed one.
      const bool packed = reply->hasRawHeader("Content-Encoding");
      if (length.isValid() && !packed && length.toLongLong() != body.size()) {
        response.error = "the body is shorter than its announced length";
      } else {
        response.ok = true;
        response.body = body.toStdString();
      }
    }
    done(std::move(response));
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
