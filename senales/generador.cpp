#include "senales/generador.h"

#include "senales/barrido.h"
#include "senales/binaria_aleatoria.h"
#include "senales/gaussiana.h"
#include "senales/multiseno.h"
#include "senales/niveles_aleatorios.h"
#include "senales/prbs.h"

namespace {

class SenalConstante : public Senal {
public:
    explicit SenalConstante(double valor) : valor_(valor) {}
    double Valor(std::int64_t) override { return valor_; }

private:
    double valor_;
};

std::unique_ptr<Senal> Crear(const ParametrosSenal& p) {
    ComprobarSenal(p);
    switch (p.tipo) {
        case TipoSenal::PRBS: return std::make_unique<SenalPRBS>(p);
        case TipoSenal::BinariaAleatoria: return std::make_unique<SenalBinariaAleatoria>(p);
        case TipoSenal::NivelesAleatorios: return std::make_unique<SenalNivelesAleatorios>(p);
        case TipoSenal::Multiseno: return std::make_unique<SenalMultiseno>(p);
        case TipoSenal::Barrido: return std::make_unique<SenalBarrido>(p);
        case TipoSenal::Gaussiana: return std::make_unique<SenalGaussiana>(p);
        case TipoSenal::Escalon: break;
    }
    return std::make_unique<SenalConstante>(p.maximo);
}

}  // namespace

GeneradorSenal::GeneradorSenal(const ParametrosSenal& p) : parametros_(p), senal_(Crear(p)) {}
