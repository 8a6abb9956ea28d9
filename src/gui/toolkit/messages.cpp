#include "gui/toolkit/messages.h"

#include <cerrno>

#include "render/budget_text.h"

namespace varnelle::gui {
namespace {

QString chemin(const std::filesystem::path& path) {
    return fromFileName(path.string());
}

QString avecRaison(QString text, const QString& raison) {
    if (!raison.isEmpty()) text += QStringLiteral("\n\n") + raison;
    return text;
}

}  // namespace

QString raisonSysteme(int error) {
    switch (error) {
    case 0: return {};
    case ENOSPC:
    case EDQUOT: return QStringLiteral("Le disque est plein.");
    case EFBIG: return QStringLiteral("Le fichier serait trop grand.");
    case EACCES:
    case EPERM: return QStringLiteral("L'accès au dossier ou au fichier est refusé.");
    case EROFS: return QStringLiteral("Le disque est en lecture seule.");
    default: return QStringLiteral("Erreur système %1.").arg(error);
    }
}

QString messageEcritureImpossible(const std::filesystem::path& path, int systemError) {
    return avecRaison(QStringLiteral("Ne peut écrire dans %1").arg(chemin(path)),
                      raisonSysteme(systemError));
}

QString messageEchecSauvegarde(const SaveResult& result) {
    const QString cle = QString::fromStdString(result.key);
    const QString section = QString::fromStdString(result.section);
    switch (result.status) {
    case SaveStatus::NotSynced:
        return avecRaison(QStringLiteral("Le budget a été écrit dans %1, mais le système n'a pas "
                                         "confirmé qu'il est enregistré sur le disque.")
                              .arg(chemin(result.path)),
                          raisonSysteme(result.systemError));
    case SaveStatus::TextRefused:
        return avecRaison(messageEcritureImpossible(result.path, 0),
                          QStringLiteral("La valeur %1 de la section %2 contient un caractère ou "
                                         "une longueur que le fichier ne peut garder.")
                              .arg(cle, section));
    case SaveStatus::AmountRefused:
        return avecRaison(messageEcritureImpossible(result.path, 0),
                          QStringLiteral("Le montant %1 de la section %2 dépasse ce que le "
                                         "fichier peut garder (21 474 836,47).")
                              .arg(cle, section));
    case SaveStatus::TooLarge:
        return avecRaison(messageEcritureImpossible(result.path, 0),
                          QStringLiteral("Le fichier serait trop grand."));
    default: return messageEcritureImpossible(result.path, result.systemError);
    }
}

QString messageSansCopiePrecedente(const SaveResult& result) {
    return avecRaison(QStringLiteral("Le budget est enregistré, mais sa version précédente n'a "
                                     "pas pu être gardée dans %1.bak.")
                          .arg(chemin(result.path)),
                      raisonSysteme(result.backupError));
}

QString messageLectureImpossible(const std::filesystem::path& path,
                                 ProfileFile::OpenStatus status) {
    if (status == ProfileFile::OpenStatus::TooLarge)
        return QStringLiteral("Le fichier %1 est trop grand pour être un budget.")
            .arg(chemin(path));
    return QStringLiteral("Ne peut lire %1").arg(chemin(path));
}

QString messageFichierEndommage(const std::filesystem::path& path) {
    return QStringLiteral("Le fichier %1 est endommagé : le nombre d'entrées d'une liste y est "
                          "illisible ou dépasse %2. Il n'a pas été ouvert.")
        .arg(chemin(path))
        .arg(kMaxEntreesParCollection);
}

}  // namespace varnelle::gui
