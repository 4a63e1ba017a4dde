#pragma once

/// The text of tanque-lote --help: every option with an example.
const char* TextoDeAyuda();
