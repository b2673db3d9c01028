#include "Passwords.h"

#include "DbError.h"

#include <QByteArray>
#include <QStringList>
#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

namespace Passwords {
namespace {

constexpr int Iterations = 120000;
constexpr int SaltBytes = 16;
constexpr int HashBytes = 32;

QByteArray derive(const QString& password, const QByteArray& salt, int iterations) {
    const QByteArray pw = password.toUtf8();
    QByteArray out(HashBytes, '\0');
    if (PKCS5_PBKDF2_HMAC(pw.constData(), int(pw.size()), reinterpret_cast<const unsigned char*>(salt.constData()),
                          int(salt.size()), iterations, EVP_sha256(), HashBytes,
                          reinterpret_cast<unsigned char*>(out.data())) != 1)
        throw DbError(QStringLiteral("无法计算密码摘要。"));
    return out;
}

} // namespace

QString hash(const QString& password) {
    QByteArray salt(SaltBytes, '\0');
    if (RAND_bytes(reinterpret_cast<unsigned char*>(salt.data()), SaltBytes) != 1)
        throw DbError(QStringLiteral("无法生成随机数。"));
    return QStringLiteral("pbkdf2_sha256$%1$%2$%3")
        .arg(Iterations)
        .arg(QString::fromLatin1(salt.toBase64()), QString::fromLatin1(derive(password, salt, Iterations).toBase64()));
}

bool verify(const QString& password, const QString& stored) {
    const QStringList parts = stored.split(QLatin1Char('$'));
    if (parts.size() != 4 || parts[0] != QLatin1String("pbkdf2_sha256"))
        return false;
    bool ok = false;
    const int iterations = parts[1].toInt(&ok);
    if (!ok || iterations < 1 || iterations > 10'000'000)
        return false;
    const QByteArray salt = QByteArray::fromBase64(parts[2].toLatin1());
    const QByteArray expected = QByteArray::fromBase64(parts[3].toLatin1());
    if (expected.size() != HashBytes)
        return false;
    const QByteArray actual = derive(password, salt, iterations);
    return CRYPTO_memcmp(actual.constData(), expected.constData(), HashBytes) == 0;
}

} // namespace Passwords
