#include "updater/TlsTestServer.h"

#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>

#include "updater/LoopbackSocket.h"

namespace testing_support {
namespace {

namespace net = loopback;

struct KeyFree {
  void operator()(EVP_PKEY* p) const { EVP_PKEY_free(p); }
};
struct CertFree {
  void operator()(X509* p) const { X509_free(p); }
};
using Key = std::unique_ptr<EVP_PKEY, KeyFree>;
using Cert = std::unique_ptr<X509, CertFree>;

void Check(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(std::string("test TLS server: ") + what);
}

void AddExtension(X509* cert, X509* issuer, int nid, const char* value) {
  X509V3_CTX ctx;
  X509V3_set_ctx_nodb(&ctx);
  X509V3_set_ctx(&ctx, issuer, cert, nullptr, nullptr, 0);
  X509_EXTENSION* ext = X509V3_EXT_conf_nid(nullptr, &ctx, nid, value);
  Check(ext && X509_add_ext(cert, ext, -1) == 1, "certificate extension");
  X509_EXTENSION_free(ext);
}

// A certificate for key, valid from an hour ago for two days, signed by the
// issuer (itself when issuer is null).
Cert MakeCertificate(EVP_PKEY* key, const char* commonName, X509* issuer, EVP_PKEY* issuerKey,
                     long serial, bool authority) {
  Cert cert(X509_new());
  X509* c = cert.get();
  Check(c && X509_set_version(c, 2) == 1, "certificate");
  ASN1_INTEGER_set(X509_get_serialNumber(c), serial);
  X509_gmtime_adj(X509_getm_notBefore(c), -3600);
  X509_gmtime_adj(X509_getm_notAfter(c), 2 * 86400);
  X509_set_pubkey(c, key);
  X509_NAME_add_entry_by_txt(X509_get_subject_name(c), "CN", MBSTRING_UTF8,
                             reinterpret_cast<const unsigned char*>(commonName), -1, -1, 0);
  X509* signer = issuer ? issuer : c;
  X509_set_issuer_name(c, X509_get_subject_name(signer));
  AddExtension(c, signer, NID_subject_key_identifier, "hash");
  AddExtension(c, signer, NID_authority_key_identifier, "keyid:always");
  if (authority) {
    AddExtension(c, signer, NID_basic_constraints, "critical,CA:TRUE");
    AddExtension(c, signer, NID_key_usage, "critical,keyCertSign,cRLSign");
  } else {
    AddExtension(c, signer, NID_basic_constraints, "CA:FALSE");
    AddExtension(c, signer, NID_key_usage, "critical,digitalSignature");
    AddExtension(c, signer, NID_ext_key_usage, "serverAuth");
    AddExtension(c, signer, NID_subject_alt_name, "DNS:localhost,IP:127.0.0.1");
  }
  Check(X509_sign(c, issuerKey ? issuerKey : key, EVP_sha256()) > 0, "signing");
  return cert;
}

std::string Pem(X509* cert) {
  BIO* bio = BIO_new(BIO_s_mem());
  PEM_write_bio_X509(bio, cert);
  char* data = nullptr;
  const long size = BIO_get_mem_data(bio, &data);
  std::string pem(data, static_cast<std::size_t>(size));
  BIO_free(bio);
  return pem;
}

Key NewKey() {
  Key key(EVP_EC_gen("P-256"));
  Check(key != nullptr, "key");
  return key;
}

bool WriteAll(SSL* ssl, std::string_view bytes) {
  while (!bytes.empty()) {
    const int n = SSL_write(ssl, bytes.data(),
                            static_cast<int>(std::min<std::size_t>(bytes.size(), 1 << 20)));
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

struct TlsTestServer::Impl {
  std::string caPem, otherCaPem;
  SSL_CTX* ctx = nullptr;
  net::Socket listener = net::kNoSocket;
  int port = 0;
  std::atomic<bool> stopping{false};
  std::thread acceptor;

  mutable std::mutex mutex;  // guards everything below
  std::map<std::string, Answer> answers;
  std::vector<Request> requests;
  std::vector<std::thread> connections;
  std::set<net::Socket> open;

  void AcceptLoop() {
    while (!stopping) {
      const net::Socket s = net::Accept(listener);
      if (s == net::kNoSocket) continue;
      std::lock_guard lock(mutex);
      if (stopping) {
        net::Close(s);
        break;
      }
      open.insert(s);
      connections.emplace_back([this, s] { Converse(s); });
    }
  }

  void Converse(net::Socket s) {
    SSL* ssl = SSL_new(ctx);
    SSL_set_fd(ssl, static_cast<int>(s));
    Ending ending = Ending::Fin;
    if (SSL_accept(ssl) == 1) ending = Respond(ssl);
    if (ending == Ending::CloseNotify) SSL_shutdown(ssl);
    {
      std::lock_guard lock(mutex);
      open.erase(s);
    }
    if (ending == Ending::Reset) {
      net::Reset(s);
    } else {
      net::Close(s);
    }
    SSL_free(ssl);
  }

  // Reads one request head and sends its answer; returns how to end.
  Ending Respond(SSL* ssl) {
    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
      const int n = SSL_read(ssl, buffer, sizeof buffer);
      if (n <= 0) return Ending::Fin;
      head.append(buffer, static_cast<std::size_t>(n));
    }
    const std::size_t start = head.find(' ') + 1;
    std::string target = head.substr(start, head.find(' ', start) - start);
    // The whole address, as some clients send it through a proxy's tunnel,
    // names the same resource as its path.
    if (target.rfind("https://", 0) == 0) {
      const std::size_t path = target.find('/', 8);
      target = path == std::string::npos ? "/" : target.substr(path);
    }
    TlsTestServer::Answer answer;
    {
      std::lock_guard lock(mutex);
      requests.push_back({target, head});
      const auto it = answers.find(target);
      if (it != answers.end()) {
        answer = it->second;
      } else {
        answer.head = "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
      }
    }
    if (!WriteAll(ssl, answer.head)) return Ending::Fin;
    const int64_t whole = static_cast<int64_t>(answer.body.size()) * answer.repeat;
    const int64_t send = answer.cutAfter >= 0 ? std::min(answer.cutAfter, whole) : whole;
    for (int64_t sent = 0; sent < send && !stopping;) {
      const std::size_t at =
          static_cast<std::size_t>(sent % static_cast<int64_t>(answer.body.size()));
      const std::size_t n = static_cast<std::size_t>(
          std::min<int64_t>({send - sent, static_cast<int64_t>(answer.body.size() - at),
                             static_cast<int64_t>(answer.pieceBytes)}));
      if (!WriteAll(ssl, std::string_view(answer.body).substr(at, n))) return Ending::Fin;
      sent += static_cast<int64_t>(n);
      if (answer.pauseMs > 0 && sent < send)
        std::this_thread::sleep_for(std::chrono::milliseconds(answer.pauseMs));
    }
    return answer.ending;
  }
};

TlsTestServer::TlsTestServer() : impl_(std::make_unique<Impl>()) {
  const Key caKey = NewKey(), otherKey = NewKey(), serverKey = NewKey();
  const Cert ca = MakeCertificate(caKey.get(), "Brevant Test CA", nullptr, nullptr, 1, true);
  const Cert other = MakeCertificate(otherKey.get(), "Other CA", nullptr, nullptr, 2, true);
  const Cert server =
      MakeCertificate(serverKey.get(), "localhost", ca.get(), caKey.get(), 3, false);
  impl_->caPem = Pem(ca.get());
  impl_->otherCaPem = Pem(other.get());

  impl_->ctx = SSL_CTX_new(TLS_server_method());
  Check(impl_->ctx && SSL_CTX_use_certificate(impl_->ctx, server.get()) == 1 &&
            SSL_CTX_use_PrivateKey(impl_->ctx, serverKey.get()) == 1,
        "context");
  impl_->listener = net::Listen(impl_->port);
  Check(impl_->listener != net::kNoSocket, "no loopback port");
  impl_->acceptor = std::thread([this] { impl_->AcceptLoop(); });
}

TlsTestServer::~TlsTestServer() {
  impl_->stopping = true;
  net::Shutdown(impl_->listener);
  impl_->acceptor.join();
  net::Close(impl_->listener);
  std::vector<std::thread> connections;
  {
    std::lock_guard lock(impl_->mutex);
    for (const net::Socket s : impl_->open) net::Shutdown(s);
    connections.swap(impl_->connections);
  }
  for (std::thread& t : connections) t.join();
  SSL_CTX_free(impl_->ctx);
}

int TlsTestServer::Port() const {
  return impl_->port;
}
const std::string& TlsTestServer::CaPem() const {
  return impl_->caPem;
}
const std::string& TlsTestServer::OtherCaPem() const {
  return impl_->otherCaPem;
}

void TlsTestServer::Serve(std::string_view path, Answer answer) {
  std::lock_guard lock(impl_->mutex);
  impl_->answers["/assets/" + std::string(path)] = std::move(answer);
}

void TlsTestServer::ServeRaw(std::string_view path, std::string_view response) {
  Serve(path, Answer{.head = std::string(response)});
}

void TlsTestServer::Serve(std::string_view path, std::string_view body) {
  Serve(path, Answer{.head = "HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\n"
                             "Content-Length: " +
                             std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n",
                     .body = std::string(body)});
}

void TlsTestServer::ServeStatus(std::string_view path, int status) {
  ServeRaw(path, "HTTP/1.1 " + std::to_string(status) +
                     " Test\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
}

void TlsTestServer::ServeRedirect(std::string_view path, const std::string& location) {
  ServeRaw(path, "HTTP/1.1 302 Found\r\nLocation: " + location +
                     "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
}

std::vector<TlsTestServer::Request> TlsTestServer::Requests() const {
  std::lock_guard lock(impl_->mutex);
  return impl_->requests;
}

}  // namespace testing_support
