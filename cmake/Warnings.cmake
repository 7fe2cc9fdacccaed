# Warnings for the project's own targets.
add_compile_options(-Wall -Wextra)
