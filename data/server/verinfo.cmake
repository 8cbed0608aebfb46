# Writes the version file from its template with the update archive's SHA-256.
# Called with -DTEMPLATE, -DOUTPUT, -DARCHIVE, -DPROJECT_VERSION and -DMEMORA_SERVER_URL.
file(SHA256 "${ARCHIVE}" MEMORA_UPDATE_SHA256)
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
