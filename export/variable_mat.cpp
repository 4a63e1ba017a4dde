#include "export/variable_mat.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <set>

#include "base/errores.h"

using Json = nlohmann::ordered_json;

namespace {

// UTF-8 as UTF-16 code units, the way MATLAB keeps its characters; a byte that is not UTF-8 becomes U+FFFD.
std::vector<std::uint16_t> Utf16(const std::string& texto) {
    std::vector<std::uint16_t> u;
    for (std::size_t i = 0; i < texto.size();) {
        const auto b = static_cast<unsigned char>(texto[i]);
        const int largo = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        std::uint32_t c = largo == 1 ? b : largo == 2 ? b & 0x1F : largo == 3 ? b & 0x0F : b & 0x07;
        bool bien = largo > 0 && i + static_cast<std::size_t>(largo) <= texto.size();
        for (int k = 1; bien && k < largo; ++k) {
            const auto s = static_cast<unsigned char>(texto[i + static_cast<std::size_t>(k)]);
            bien = (s >> 6) == 2;
            c = (c << 6) | (s & 0x3F);
        }
        // overlong forms, surrogates and values beyond U+10FFFF are not UTF-8 either
        static constexpr std::uint32_t kMinimo[5] = {0, 0, 0x80, 0x800, 0x10000};
        bien = bien && c >= kMinimo[largo] && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
        if (!bien) {
            u.push_back(0xFFFD);
            ++i;
            continue;
        }
        i += static_cast<std::size_t>(largo);
        if (c < 0x10000) {
            u.push_back(static_cast<std::uint16_t>(c));
        } else {
            u.push_back(static_cast<std::uint16_t>(0xD800 + ((c - 0x10000) >> 10)));
            u.push_back(static_cast<std::uint16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        }
    }
    return u;
}

matvar_t* Caracteres(const char* nombre, const std::string& texto) {
    std::vector<std::uint16_t> u = Utf16(texto);
    std::size_t dims[2] = {1, u.size()};
    return Mat_VarCreate(nombre, MAT_C_CHAR, MAT_T_UINT16, 2, dims, u.data(), 0);
}

// A key as a field name of MATLAB, different from the names already taken.
std::string Campo(const std::string& clave, std::set<std::string>& tomados) {
    std::string c;
    for (const char x : clave)
        c += (x >= 'a' && x <= 'z') || (x >= 'A' && x <= 'Z') || (x >= '0' && x <= '9') || x == '_' ? x : '_';
    if (c.empty() || !((c[0] >= 'a' && c[0] <= 'z') || (c[0] >= 'A' && c[0] <= 'Z'))) c = "x" + c;
    c = c.substr(0, 63);
    const std::string base = c.substr(0, 59);
    for (int n = 2; tomados.count(c); ++n) c = base + "_" + std::to_string(n);
    tomados.insert(c);
    return c;
}

// A struct of these fields, each made by `valor(i)`; nullptr when libmatio fails.
template <typename F>
matvar_t* Estructura(const char* nombre, const std::vector<std::string>& campos, F&& valor) {
    std::vector<const char*> punteros;
    for (const std::string& c : campos) punteros.push_back(c.c_str());
    punteros.push_back(nullptr);
    const std::size_t dims[2] = {1, 1};
    matvar_t* s = Mat_VarCreateStruct2(nombre, 2, dims, punteros.data());
    if (!s) return nullptr;
    for (std::size_t i = 0; i < campos.size(); ++i) {
        matvar_t* v = valor(i, campos[i].c_str());
        if (!v) {
            Mat_VarFree(s);
            return nullptr;
        }
        // gives back the field's previous value: none in a new struct
        Mat_VarFree(Mat_VarSetStructFieldByIndex(s, i, 0, v));
    }
    return s;
}

matvar_t* DeJson(const char* nombre, const Json& j) {
    std::size_t dims[2] = {1, 1};
    switch (j.type()) {
        case Json::value_t::object: {
            std::set<std::string> tomados;
            std::vector<std::string> campos;
            std::vector<const Json*> valores;
            for (const auto& [clave, valor] : j.items()) {
                campos.push_back(Campo(clave, tomados));
                valores.push_back(&valor);
            }
            return Estructura(nombre, campos, [&](std::size_t i, const char* c) { return DeJson(c, *valores[i]); });
        }
        case Json::value_t::array: {
            bool numeros = !j.empty();
            for (const Json& e : j) numeros = numeros && e.is_number();
            dims[1] = j.size();
            if (numeros) {
                std::vector<double> v;
                for (const Json& e : j) v.push_back(e.get<double>());
                return Mat_VarCreate(nombre, MAT_C_DOUBLE, MAT_T_DOUBLE, 2, dims, v.data(), 0);
            }
            if (j.empty()) dims[0] = 0;
            matvar_t* celda = Mat_VarCreate(nombre, MAT_C_CELL, MAT_T_CELL, 2, dims, nullptr, 0);
            for (std::size_t i = 0; celda && i < j.size(); ++i) {
                matvar_t* e = DeJson("", j[i]);
                if (!e) {
                    Mat_VarFree(celda);
                    return nullptr;
                }
                Mat_VarFree(Mat_VarSetCell(celda, static_cast<int>(i), e));
            }
            return celda;
        }
        case Json::value_t::string: return Caracteres(nombre, j.get<std::string>());
        case Json::value_t::boolean: {
            std::uint8_t b = j.get<bool>() ? 1 : 0;
            return Mat_VarCreate(nombre, MAT_C_UINT8, MAT_T_UINT8, 2, dims, &b, MAT_F_LOGICAL);
        }
        case Json::value_t::null: {
            std::size_t vacio[2] = {0, 0};
            return Mat_VarCreate(nombre, MAT_C_DOUBLE, MAT_T_DOUBLE, 2, vacio, nullptr, 0);
        }
        default: return VariableEscalar(nombre, j.get<double>());  // the numbers
    }
}

}  // namespace

matvar_t* VariableEscalar(const char* nombre, double valor) {
    std::size_t dims[2] = {1, 1};
    return Mat_VarCreate(nombre, MAT_C_DOUBLE, MAT_T_DOUBLE, 2, dims, &valor, 0);
}

matvar_t* VariableUnidades(const char* nombre, const std::vector<ColumnaRegistro>& columnas) {
    std::vector<std::string> campos;
    for (const ColumnaRegistro& c : columnas) campos.push_back(c.variable);
    return Estructura(nombre, campos, [&](std::size_t i, const char* c) { return Caracteres(c, columnas[i].unidad); });
}

matvar_t* VariableDeJson(const char* nombre, const std::string& json) {
    Json j;
    try {
        j = Json::parse(json);
    } catch (const Json::exception&) {
        throw ErrorTanque("La descripción del registro no es JSON: no cabe en el archivo MAT");
    }
    return DeJson(nombre, j);
}
