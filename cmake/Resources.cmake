find_program(ORVEX_OBJCOPY NAMES objcopy REQUIRED)

# Stamps a version block into an ELF file's .varnholt.version section once it is linked.
# A release engineer can restamp a built binary the same way, or read it back with
#   readelf -p .varnholt.version orvex-client
function(orvex_embed_version_block target block_file)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${ORVEX_OBJCOPY} --remove-section=.varnholt.version
            --add-section .varnholt.version=${block_file}
            --set-section-flags .varnholt.version=contents,readonly,noload
            $<TARGET_FILE:${target}>
    COMMENT "Stamping the version block into ${target}"
    VERBATIM)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${block_file})
endfunction()
