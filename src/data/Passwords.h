#pragma once

#include <QString>

// Passwords are stored as salted PBKDF2-HMAC-SHA256 hashes: "pbkdf2_sha256$iterations$salt$hash" (base64).
namespace Passwords {

QString hash(const QString& password);

// True when password matches the stored hash. A stored value that is not a hash never matches.
bool verify(const QString& password, const QString& stored);

} // namespace Passwords
