#pragma once
// The fingerprint of a file as it is written: its size and its SHA-256 (nettle), so that a description can name
// the very record it describes and a reader can tell a pair that does not belong together.

#include <nettle/sha2.h>

#include <cstdint>
#include <string>
#include <string_view>

/// A file's size in bytes and its SHA-256 in lower-case hexadecimal.
struct ResumenArchivo {
    std::int64_t bytes = 0;
    std::string sha256;
};

/// SHA-256 over the bytes given to it, in order.
class HuellaSha256 {
public:
    HuellaSha256() { sha256_init(&ctx_); }
    void Anadir(std::string_view datos) {
        sha256_update(&ctx_, datos.size(), reinterpret_cast<const std::uint8_t*>(datos.data()));
        bytes_ += static_cast<std::int64_t>(datos.size());
    }
    /// The fingerprint of what was added (the object starts again afterwards).
    ResumenArchivo Resumen();

private:
    sha256_ctx ctx_;
    std::int64_t bytes_ = 0;
};

/// The fingerprint of the file `nombre`, read in blocks. Throws ErrorArchivo when it cannot be read.
ResumenArchivo ResumenDe(const std::string& nombre);
