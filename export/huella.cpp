#include "export/huella.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "export/error_archivo.h"

ResumenArchivo HuellaSha256::Resumen() {
    std::uint8_t d[SHA256_DIGEST_SIZE];
    sha256_digest(&ctx_, sizeof d, d);
    static constexpr char kHex[] = "0123456789abcdef";
    ResumenArchivo r;
    r.bytes = bytes_;
    for (std::uint8_t b : d) {
        r.sha256 += kHex[b >> 4];
        r.sha256 += kHex[b & 15];
    }
    bytes_ = 0;
    return r;
}

ResumenArchivo ResumenDe(const std::string& nombre) {
    const int fd = ::open(nombre.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) LanzarErrorArchivo(errno);
    HuellaSha256 h;
    std::vector<char> bloque(1 << 16);
    for (;;) {
        const ssize_t n = ::read(fd, bloque.data(), bloque.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int codigo = errno;
            ::close(fd);
            LanzarErrorArchivo(codigo);
        }
        if (n == 0) break;
        h.Anadir(std::string_view(bloque.data(), static_cast<std::size_t>(n)));
    }
    ::close(fd);
    return h.Resumen();
}
