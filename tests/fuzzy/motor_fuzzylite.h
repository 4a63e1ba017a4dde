#pragma once
// fuzzylite's engine set up as the same law as FIS: a Takagi-Sugeno engine with the same sets, minimum as
// AND, one rule per table entry and constant outputs at the centres, averaged by weight. An independent
// reference for the tests and the benchmarks.

#include <string>
#include <vector>

#include <fl/Headers.h>

#include "fuzzy/fis.h"
#include "fuzzy/reglas.h"

// The fuzzylite term with the shape of set f.
inline fl::Term* Termino(const FDP& f, const std::string& nombre) {
    const double c = f.Centro, w = f.Ancho;
    switch (f.Tipo) {
        case 0: return new fl::Triangle(nombre, c - w, c, c + w);
        case 1:  // 1 up to the centre, 0 from c + w on
            return new fl::Ramp(nombre, c + w, c);
        case 2:  // 0 up to c - w, 1 from the centre on
            return new fl::Ramp(nombre, c - w, c);
        default: return new fl::Constant(nombre, 1.0);
    }
}

class Motor_Fuzzylite {
public:
    explicit Motor_Fuzzylite(const FIS& f) {
        // Compare exactly: no tolerance in fuzzylite's tests of equality (a rule of strength 1e-7 fires).
        fl::fuzzylite::setMachEps(0.0);
        e_ = Entrada("e", f.Conjuntos_E);
        de_ = Entrada("de", f.Conjuntos_DE);
        u_ = new fl::OutputVariable("u");
        for (int k = 0; k < 5; ++k) u_->addTerm(new fl::Constant(kEtiquetas[k], f.Conjuntos_U[k].Centro));
        u_->setDefuzzifier(new fl::WeightedAverage("TakagiSugeno"));
        u_->setAggregation(fl::null);
        u_->setDefaultValue(fl::nan);
        motor_.addOutputVariable(u_);

        auto* reglas = new fl::RuleBlock("reglas");
        reglas->setConjunction(new fl::Minimum);
        reglas->setActivation(new fl::General);
        motor_.addRuleBlock(reglas);
        for (int i = 0; i < 5; ++i)
            for (int j = 0; j < 5; ++j)
                reglas->addRule(fl::Rule::parse(std::string("if e is ") + kEtiquetas[i] + " and de is " +
                                                    kEtiquetas[j] + " then u is " + kEtiquetas[f.Tabla_Reglas[i][j]],
                                                &motor_));
    }

    // The crisp output; NaN when no rule fires.
    double Procesar(double e, double de) {
        e_->setValue(e);
        de_->setValue(de);
        motor_.process();
        return u_->getValue();
    }

private:
    fl::InputVariable* Entrada(const std::string& nombre, const std::vector<FDP>& conjuntos) {
        auto* v = new fl::InputVariable(nombre);
        for (int k = 0; k < 5; ++k) v->addTerm(Termino(conjuntos[k], kEtiquetas[k]));
        motor_.addInputVariable(v);
        return v;
    }

    fl::Engine motor_;
    fl::InputVariable* e_ = nullptr;
    fl::InputVariable* de_ = nullptr;
    fl::OutputVariable* u_ = nullptr;
};
