# The files of the core library, decimetra_core: every rule that can be stated without a
# widget, Qt Core only. Listed once, for the program's build (src/CMakeLists.txt) and for the
# fuzz targets' (fuzz/CMakeLists.txt), which compile the same files with the fuzzer's
# instrumentation. Paths are relative to this folder until the last line.
set(DECIMETRA_CORE_FILE
    base/Aspetto.cpp base/Aspetto.h
    base/Colori.cpp base/Colori.h
    base/FonteCasuale.h
    base/Fisso4.h
    base/Problema.h
    base/RegistroSerie.cpp base/RegistroSerie.h
    base/Scansione.cpp base/Scansione.h
    base/MessaggiStampa.cpp base/MessaggiStampa.h
    base/Pagina.cpp base/Pagina.h
    base/ScritturaSicura.cpp base/ScritturaSicura.h
    base/Servizi.h
    base/StatoProgramma.cpp base/StatoProgramma.h
    start/Catalogo.cpp start/Catalogo.h
    start/FileImpostazioni.cpp start/FileImpostazioni.h
    start/Opzioni.cpp start/Opzioni.h
    generation/Algoritmi.cpp generation/Algoritmi.h
    generation/Spazi.cpp generation/Spazi.h
    drill/Frasi.cpp drill/Frasi.h
    drill/Lodi.cpp drill/Lodi.h
    drill/Serie.cpp drill/Serie.h
    results/Attestato.cpp results/Attestato.h
    results/Interlinea.cpp results/Interlinea.h
    results/NomeAlunno.cpp results/NomeAlunno.h
    results/PaginaEsercizi.cpp results/PaginaEsercizi.h
    results/StampaEsercizi.cpp results/StampaEsercizi.h
    registro/ConfigurazioneServer.cpp registro/ConfigurazioneServer.h
    worksheets/SceltaStampante.cpp worksheets/SceltaStampante.h
    worksheets/Scheda.cpp worksheets/Scheda.h)
list(TRANSFORM DECIMETRA_CORE_FILE PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
